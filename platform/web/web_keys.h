// Keyboard translation of the web driver: a DOM key event's code (the physical key) and
// key (what it types) to the virtual-key code and character the X11 driver gives for the
// same key.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct WebKeyPress {
  UINT virtualKey;
  uint32_t character;  // 0 when the key types none
};
// `control`: Control is held, which turns letters into control characters as on X11.
WebKeyPress webTranslateKey(const char* code, const char* key, bool control);
