#pragma once

#include "platform/platform.h"

HWND platformCaptureWindow();
// ReleaseCapture without counting a call.
void platformReleaseCapture();
void platformResetCapture();
