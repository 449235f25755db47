// System metrics of the X11 driver: the screen size and the window manager's decoration
// sizes (from _NET_FRAME_EXTENTS; zero without a manager).
#pragma once

#include <X11/Xlib.h>

int x11SystemMetric(int index);
// Takes the frame extents the manager has put on one of our windows as the current ones.
void x11NoteFrameExtents(Window window);
// Forgets what was learnt (the connection is closing).
void x11ForgetFrameExtents();
