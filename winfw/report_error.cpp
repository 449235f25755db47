// The framework's error reporter: a modal box captioned "Error", nothing on the console.
#include <cstdarg>
#include <cstdio>

#include "winfw/state.h"

void wfReportError(const char* format, ...) {
  // At most 255 characters; vsnprintf cuts a longer text and always terminates it.
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  if (wfErrorBoxes != 0) MessageBoxA(GetFocus(), text, "Error", MB_OK);
}
