// Which keys reach the key handlers: the seven named keys by their key-down, letters and
// digits by the character typed (so Shift+A gives 65 and never 97). Every other key, and
// the characters the named keys also type (carriage return, escape, space), are dropped,
// so each press reaches the handlers at most once.
#include "winfw/window.h"

int32_t wfKeyCodeOfVirtualKey(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_RETURN:
      return WF_KEY_RETURN;
    case VK_ESCAPE:
      return WF_KEY_ESCAPE;
    case VK_SPACE:
      return WF_KEY_SPACE;
    case VK_LEFT:
      return WF_KEY_LEFT;
    case VK_UP:
      return WF_KEY_UP;
    case VK_RIGHT:
      return WF_KEY_RIGHT;
    case VK_DOWN:
      return WF_KEY_DOWN;
    default:
      return 0;
  }
}

int32_t wfKeyCodeOfCharacter(WPARAM character) {
  const bool digit = character >= '0' && character <= '9';
  const bool upper = character >= 'A' && character <= 'Z';
  const bool lower = character >= 'a' && character <= 'z';
  return (digit || upper || lower) ? static_cast<int32_t>(character) : 0;
}
