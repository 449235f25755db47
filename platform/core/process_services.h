#pragma once

#include "platform/platform.h"

void platformSetVersion(const OSVERSIONINFOA& version);
int platformLiveLocalAllocations();
void platformResetProcessServices();
