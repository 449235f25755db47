// Pointer capture (the canvas's pointer capture) and the pointer's position.
#pragma once

#include "platform/driver.h"

bool webSetCapture(DriverWindow* window);
void webReleaseCapture();
bool webCursorPos(POINT* point);
