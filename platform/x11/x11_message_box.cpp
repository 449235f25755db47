// A message box through SDL2's simple message box, which opens its own connection to the
// display and needs no other part of SDL. It runs in a child process so that this
// process's connection stays its own (no second thread ever touches Xlib) and so that,
// while the caller waits for the box to close, the driver can hand the box the keyboard:
// on a display without a window manager nobody else would, and Return and Escape would
// keep going to our window. When SDL cannot show the box, the text still reaches the
// user on standard error.
#include "platform/x11/x11_message_box.h"

#include <SDL2/SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/x11/x11_display.h"
#include "platform/x11/x11_window.h"

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

Bool isTopLevelMap(Display*, XEvent* event, XPointer) {
  return event->type == MapNotify && event->xmap.event == x11Root() &&
         !event->xmap.override_redirect && x11WindowOf(event->xmap.window) == nullptr;
}

// Gives the keyboard to every foreign top-level window that appears while the box's
// process runs (only the box does), until that process has ended.
void waitForBox(int boxDone, bool focusBox) {
  Display* display = x11Display();
  for (;;) {
    XEvent event;
    while (XCheckIfEvent(display, &event, isTopLevelMap, nullptr)) {
      if (!focusBox) continue;
      x11TrapErrors();
      XSetInputFocus(display, event.xmap.window, RevertToPointerRoot, CurrentTime);
      x11UntrapErrors();
    }
    pollfd watched[2] = {{boxDone, POLLIN, 0}, {ConnectionNumber(display), POLLIN, 0}};
    if (poll(watched, 2, -1) < 0 && errno != EINTR) return;
    if (watched[0].revents != 0) return;  // the child closed its end: the box is gone
  }
}

// Shows the box in a child process; true when SDL showed it and it was closed.
bool showInChild(const char* text, const char* caption, UINT type, bool focusBox) {
  int boxDone[2];
  if (pipe2(boxDone, O_CLOEXEC) != 0) return false;
  pid_t child = fork();
  if (child < 0) {
    close(boxDone[0]);
    close(boxDone[1]);
    return false;
  }
  if (child == 0) {
    close(boxDone[0]);
    bool shown = SDL_ShowSimpleMessageBox(sdlFlagsOf(type), caption, text, nullptr) == 0;
    _exit(shown ? 0 : 1);  // no exit handlers: they belong to the parent
  }
  close(boxDone[1]);
  waitForBox(boxDone[0], focusBox);
  close(boxDone[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int x11MessageBox(DriverWindow* owner, const char* text, const char* caption, UINT type) {
  Display* display = x11Display();
  bool shown = false;
  if (display != nullptr) {
    // A capture of ours would keep the box from ever seeing a click.
    XUngrabPointer(display, CurrentTime);
    bool focusBox = !x11HasWindowManager();
    XSelectInput(display, x11Root(), SubstructureNotifyMask);
    XFlush(display);
    shown = showInChild(text, caption, type, focusBox);
    XSelectInput(display, x11Root(), NoEventMask);
    if (focusBox && owner != nullptr && owner->mapped) {
      x11TrapErrors();
      XSetInputFocus(display, owner->window, RevertToPointerRoot, CurrentTime);
      x11UntrapErrors();
    }
    XFlush(display);
  }
  if (!shown) std::fprintf(stderr, "%s: %s", caption, text);
  return IDOK;
}
