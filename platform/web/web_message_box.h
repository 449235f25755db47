#pragma once

#include "platform/driver.h"

// The browser's modal dialog with the caption and the text.
int webMessageBox(DriverWindow* owner, const char* text, const char* caption, UINT type);
