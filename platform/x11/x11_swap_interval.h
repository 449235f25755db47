// Buffer swaps paced by the display: once the context is current on a window, the driver
// asks for a swap interval of 1 (at most one swap per display refresh) through whichever
// swap-control extension the GLX offers.
#pragma once

#include <GL/glx.h>

enum class SwapControl { Unavailable, Ext, Mesa, Sgi };

// Whether the space-separated extension list names exactly this extension (a longer name
// that merely starts with it does not count).
bool hasGlxExtension(const char* extensions, const char* name);
// The extension to use, in order of preference: GLX_EXT_swap_control (per drawable),
// GLX_MESA_swap_control, GLX_SGI_swap_control; Unavailable when the list offers none of them.
SwapControl chooseSwapControl(const char* extensions);

// Asks for an interval of 1 on the drawable that was just made current. Without any of the
// extensions nothing changes: swaps then happen as fast as frames are drawn.
void x11RequestSwapInterval(Display* display, GLXDrawable drawable);
