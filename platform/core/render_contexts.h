#pragma once

#include "platform/platform.h"

HGLRC platformCurrentContext();
void platformResetRenderContexts();
