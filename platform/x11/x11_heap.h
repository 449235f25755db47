// How the C library's heap serves the OpenGL driver beneath the program.
#pragma once

// Keeps freed heap memory for the next frame instead of handing it back to the system, and
// serves large blocks from the heap. Called once the display is open, before OpenGL loads.
void x11KeepHeapForFrames();
