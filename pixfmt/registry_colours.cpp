// The user's system colours as the registry keeps them: "R G B" strings under
// "Control Panel\Colors".
#include <cstdlib>
#include <cstring>

#include "pixfmt/pixfmt.h"

namespace {

constexpr DWORD kValueBytes = 64;

// Reads one decimal number as "%ld" does (leading white space, optional sign), but with
// strtol's defined result for out-of-range text. False when no digit is there.
bool readNumber(const char*& text, long* number) {
  char* end = nullptr;
  *number = std::strtol(text, &end, 10);
  if (end == text) return false;
  text = end;
  return true;
}

// The COLORREF a value's text names, each number cut to its low 8 bits. A text with fewer
// than three numbers names no colour.
bool parseColour(const char* text, COLORREF* colour) {
  long red = 0, green = 0, blue = 0;
  if (!readNumber(text, &red) || !readNumber(text, &green) || !readNumber(text, &blue)) {
    return false;
  }
  *colour = static_cast<COLORREF>((red & 0xff) + 256 * (green & 0xff) + 65536 * (blue & 0xff));
  return true;
}

}  // namespace

int wfReadRegistryColours(COLORREF* colours, int count) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return 0;
  }
  if (count > WF_MAX_SYS_COLOURS) count = WF_MAX_SYS_COLOURS;  // there are only 25 names
  for (int i = 0; i < count; ++i) {
    BYTE value[kValueBytes];
    DWORD type = REG_NONE;
    DWORD size = kValueBytes;
    if (RegQueryValueExA(key, wfSysColourNames[i], nullptr, &type, value, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
      continue;
    }
    // The stored string need not end in a NUL within the buffer: read a terminated copy.
    char text[kValueBytes + 1];
    const DWORD length = size < kValueBytes ? size : kValueBytes;
    std::memcpy(text, value, length);
    text[length] = '\0';
    COLORREF colour = 0;
    if (parseColour(text, &colour)) colours[i] = colour;
  }
  RegCloseKey(key);
  return 1;
}
