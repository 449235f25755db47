// The one driver the core talks to, connected on first use.
#pragma once

#include "platform/driver.h"

const PlatformDriver* platformDriver();
// False when the driver could not connect to a window system.
bool platformConnected();
// Ends the connection if there is one (ExitProcess).
void platformDisconnect();
// Forgets the connection without telling the driver, so that the next use connects
// afresh (tests that reset the headless driver).
void platformForgetConnection();
// Whether the display maps colours through a system palette (an 8-bit palette device).
bool platformPaletteDevice();
