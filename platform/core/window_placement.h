#pragma once

#include "platform/core/window_records.h"

// Puts the client area at (clientX, clientY) with this size and the outer rectangle around
// it by the window's style.
void platformPlaceClientArea(WindowRecord& record, int clientX, int clientY, int width,
                             int height);
