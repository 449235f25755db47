// The modal message box, shown by the helper program voronoi-sweep-message (SDL2's simple
// message box, with a connection to the display of its own). It is a program of its own,
// started afresh for every box: this process's connection stays its own, no fork of a
// process in which the GL driver runs threads ever goes on to call non-async-signal-safe
// code, and while the caller waits for the box to close the driver can hand the box the
// keyboard: on a display without a window manager nobody else would, and Return and
// Escape would keep going to our window. When the box cannot be shown (no helper, the
// helper cannot start, SDL cannot open a box), the text still reaches the user on
// standard error.
#include "platform/x11/x11_message_box.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/x11/x11_display.h"
#include "platform/x11/x11_message_helper.h"
#include "platform/x11/x11_window.h"

namespace {

const char* kindOf(UINT type) {
  switch (type & 0xF0u) {
    case MB_ICONERROR:
      return "error";
    case MB_ICONWARNING:
      return "warning";
    default:
      return "information";
  }
}

Bool isTopLevelMap(Display*, XEvent* event, XPointer) {
  return event->type == MapNotify && event->xmap.event == x11Root() &&
         !event->xmap.override_redirect && x11WindowOf(event->xmap.window) == nullptr;
}

// Reads what the helper wrote to its standard output (nothing, normally); true once the
// pipe is at its end, that is once the helper has ended.
bool helperHasEnded(int helperOutput, short events) {
  if ((events & POLLIN) != 0) {
    char discarded[256];
    ssize_t got = read(helperOutput, discarded, sizeof discarded);
    return got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN);
  }
  return (events & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

// Gives the keyboard to every foreign top-level window that appears while the helper runs
// (only the box does), until the helper has ended. A display connection that hangs up or
// fails ends the process (the helper with it); reading it (XCheckIfEvent) does the same
// through Xlib's I/O error handler when the server has closed it.
void waitForBox(int helperOutput, bool focusBox) {
  Display* display = x11Display();
  for (;;) {
    XEvent event;
    while (XCheckIfEvent(display, &event, isTopLevelMap, nullptr)) {
      if (!focusBox) continue;
      x11TrapErrors();
      XSetInputFocus(display, event.xmap.window, RevertToPointerRoot, CurrentTime);
      x11UntrapErrors();
    }
    pollfd watched[2] = {{helperOutput, POLLIN, 0}, {ConnectionNumber(display), POLLIN, 0}};
    if (poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;  // cannot watch: the caller still waits for the helper to end
    }
    if ((watched[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) x11LostDisplay();
    if (helperHasEnded(helperOutput, watched[0].revents)) return;
  }
}

// Shows the box through the helper; true when the helper showed it and it was closed.
bool showThroughHelper(const char* text, const char* caption, UINT type, bool focusBox) {
  int helperOutput[2];
  if (pipe2(helperOutput, O_CLOEXEC) != 0) return false;
  pid_t helper = x11StartMessageHelper(x11MessageHelper(), caption, text, kindOf(type),
                                       helperOutput[1]);
  close(helperOutput[1]);
  if (helper < 0) {
    close(helperOutput[0]);
    return false;
  }
  x11TieToDisplay(helper);
  waitForBox(helperOutput[0], focusBox);
  close(helperOutput[0]);
  int status = 0;
  while (waitpid(helper, &status, 0) < 0 && errno == EINTR) {
  }
  x11TieToDisplay(0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int x11MessageBox(DriverWindow* owner, const char* text, const char* caption, UINT type) {
  Display* display = x11Display();
  bool shown = false;
  if (display != nullptr) {
    x11ShowPendingWindows();  // the box's owner is seen behind it
    // A capture of ours would keep the box from ever seeing a click.
    XUngrabPointer(display, CurrentTime);
    bool focusBox = !x11HasWindowManager();
    XSelectInput(display, x11Root(), SubstructureNotifyMask);
    XFlush(display);
    shown = showThroughHelper(text, caption, type, focusBox);
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
