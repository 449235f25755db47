// The application's input handlers, registered with the window framework at start-up.
#pragma once

#include <cstdint>

#include "winfw/winfw.h"

// Left-button press: appends a site at (x, windowHeight - y).
void onMouseDown(WfEvent* event);
// Left arrow: starts the sweep (the frame routine only tests the counter for non-zero);
// adds 5 for as long as that fits an int.
void onLeftArrow();
// Right arrow: toggles the Delaunay edges.
void onRightArrow();
// Size change: one drawing unit per pixel, origin at the bottom-left.
void onReshape(int32_t width, int32_t height);
// Registers the four above with the framework, as the program does once its window is open
// (opening installs the default reshape handler, which this replaces).
void registerInputHandlers();
