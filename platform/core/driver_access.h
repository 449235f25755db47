// The one driver the core talks to, connected on first use.
#pragma once

#include "platform/driver.h"

const PlatformDriver* platformDriver();
// False when the driver could not connect to a window system.
bool platformConnected();
