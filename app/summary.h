// The program's summary of what its window shows, read by the platform (see winfw.h).
#pragma once

#include "winfw/winfw.h"

void summariseScene(WfSummary* summary);
