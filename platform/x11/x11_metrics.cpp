// The frame metrics stand for the manager's decoration around a client area, so that the
// framework's arithmetic (client x = frame x + SM_CXFRAME, client y = frame y -
// SM_CYBORDER + SM_CYCAPTION + SM_CYFRAME) lands on the client origin:
//   SM_CXFRAME  = left extent
//   SM_CYFRAME  = the smaller of the top and bottom extents (the frame's own thickness)
//   SM_CYCAPTION = top extent - SM_CYFRAME (the title bar above that frame)
//   SM_CXBORDER = SM_CYBORDER = 0 (the extents already include any border)
#include "platform/x11/x11_metrics.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

#include "platform/platform.h"
#include "platform/x11/x11_display.h"

namespace {

struct FrameExtents {
  long left, right, top, bottom;
};

FrameExtents extents{0, 0, 0, 0};
bool extentsKnown = false;

bool readExtents(Window window, FrameExtents* out) {
  std::vector<long> values;
  if (!x11ReadProperty32(window, x11Atoms().netFrameExtents, XA_CARDINAL, 4, &values) ||
      values.size() != 4)
    return false;
  *out = FrameExtents{values[0], values[1], values[2], values[3]};
  return true;
}

Bool isExtentsChangeOf(Display*, XEvent* event, XPointer window) {
  return event->type == PropertyNotify &&
         event->xproperty.window == *reinterpret_cast<Window*>(window) &&
         event->xproperty.atom == x11Atoms().netFrameExtents;
}

// Asks the manager what frame it would give a new window (EWMH
// _NET_REQUEST_FRAME_EXTENTS), on a probe window that is never mapped. The answer is
// waited for briefly: a manager that does not support the request never gives one.
void probeExtents() {
  Display* display = x11Display();
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  Window probe = XCreateWindow(display, x11Root(), 0, 0, 1, 1, 0, CopyFromParent, InputOutput,
                               CopyFromParent, CWEventMask, &attributes);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = probe;
  request.xclient.message_type = x11Atoms().netRequestFrameExtents;
  request.xclient.format = 32;
  XSendEvent(display, x11Root(), False, SubstructureNotifyMask | SubstructureRedirectMask,
             &request);
  XFlush(display);

  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(250);
  XEvent event;
  while (!XCheckIfEvent(display, &event, isExtentsChangeOf, reinterpret_cast<XPointer>(&probe))) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()));
  }
  FrameExtents found{};
  if (readExtents(probe, &found)) extents = found;
  XDestroyWindow(display, probe);
  XFlush(display);
}

const FrameExtents& frameExtents() {
  if (!extentsKnown) {
    extentsKnown = true;
    extents = FrameExtents{0, 0, 0, 0};
    if (x11HasWindowManager()) probeExtents();
  }
  return extents;
}

}  // namespace

int x11SystemMetric(int index) {
  Display* display = x11Display();
  if (display == nullptr) return 0;
  switch (index) {
    case SM_CXSCREEN:
      return DisplayWidth(display, x11Screen());
    case SM_CYSCREEN:
      return DisplayHeight(display, x11Screen());
    case SM_CXFRAME:
      return static_cast<int>(frameExtents().left);
    case SM_CYFRAME:
      return static_cast<int>(std::min(frameExtents().top, frameExtents().bottom));
    case SM_CYCAPTION:
      return static_cast<int>(frameExtents().top -
                              std::min(frameExtents().top, frameExtents().bottom));
    default:
      return 0;  // SM_CXBORDER, SM_CYBORDER and anything unknown
  }
}

void x11NoteFrameExtents(Window window) {
  FrameExtents found{};
  if (!readExtents(window, &found)) return;
  extents = found;
  extentsKnown = true;
}

void x11ForgetFrameExtents() {
  extents = FrameExtents{0, 0, 0, 0};
  extentsKnown = false;
}
