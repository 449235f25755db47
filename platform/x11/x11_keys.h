// Keyboard translation of the X11 driver: X key events to virtual-key codes and the
// characters they type.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "platform/platform.h"

// The virtual-key code of a key, from its unshifted keysym; 0 for keys without one.
UINT x11VirtualKeyOf(KeySym unshifted);
// The virtual-key code and typed character of a key press (Shift, Caps Lock and Control
// applied as the keyboard map says; character 0 when the key types none).
struct X11KeyPress {
  UINT virtualKey;
  uint32_t character;
};
X11KeyPress x11TranslateKey(XKeyEvent* event);
