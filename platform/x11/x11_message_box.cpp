// A message box through SDL2's simple message box, which opens its own connection to the
// display and needs no other part of SDL. It blocks until the box is closed (OK, Return,
// Escape). When SDL cannot show it, the text still reaches the user on standard error.
#include "platform/x11/x11_message_box.h"

#include <SDL2/SDL.h>

#include <cstdio>

#include "platform/x11/x11_display.h"

namespace {

Uint32 sdlFlagsOf(UINT type) {
  switch (type & 0xF0u) {
    case MB_ICONERROR:
      return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING:
      return SDL_MESSAGEBOX_WARNING;
    default:
      return SDL_MESSAGEBOX_INFORMATION;
  }
}

}  // namespace

int x11MessageBox(DriverWindow*, const char* text, const char* caption, UINT type) {
  if (Display* display = x11Display()) {
    // A capture of ours would keep the box from ever seeing a click.
    XUngrabPointer(display, CurrentTime);
    XFlush(display);
  }
  if (SDL_ShowSimpleMessageBox(sdlFlagsOf(type), caption, text, nullptr) != 0)
    std::fprintf(stderr, "%s: %s", caption, text);
  return IDOK;
}
