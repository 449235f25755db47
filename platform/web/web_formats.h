// The page's one pixel format: true colour, double-buffered, RGBA, as WebGL gives it.
#pragma once

#include "platform/platform.h"

int webFormatCount();
bool webFormatExists(int number);
bool webDescribeFormat(int number, PIXELFORMATDESCRIPTOR* descriptor);
