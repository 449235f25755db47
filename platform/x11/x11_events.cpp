// Turns each X event on one of our windows into the report the core expects. Events on
// windows the driver no longer knows (destroyed, or replaced for another visual) are
// dropped. Pumping first shows the windows that were shown without a pixel format.
#include "platform/x11/x11_events.h"

#include <X11/Xatom.h>

#include "platform/x11/x11_display.h"
#include "platform/x11/x11_keys.h"
#include "platform/x11/x11_metrics.h"
#include "platform/x11/x11_window.h"

namespace {

WPARAM keyStateOf(unsigned int state) {
  WPARAM flags = 0;
  if (state & Button1Mask) flags |= MK_LBUTTON;
  if (state & Button2Mask) flags |= MK_MBUTTON;
  if (state & Button3Mask) flags |= MK_RBUTTON;
  if (state & ShiftMask) flags |= MK_SHIFT;
  if (state & ControlMask) flags |= MK_CONTROL;
  return flags;
}

// X buttons 1, 2, 3 are left, middle, right; 4 to 7 are wheel steps and are ignored.
struct ButtonMessages {
  UINT down;
  UINT up;
  WPARAM flag;
};

bool buttonMessagesOf(unsigned int button, ButtonMessages* out) {
  switch (button) {
    case Button1:
      *out = {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON};
      return true;
    case Button2:
      *out = {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON};
      return true;
    case Button3:
      *out = {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON};
      return true;
    default:
      return false;
  }
}

void reportMinimised(DriverWindow* record) {
  record->minimised = true;
  platformNotifyConfigured(record->handle, record->clientX, record->clientY, 0, 0, true);
}

bool hasHiddenState(Window window) {
  std::vector<long> states;
  x11ReadProperty32(window, x11Atoms().netWmState, XA_ATOM, 64, &states);
  for (long state : states)
    if (static_cast<Atom>(state) == x11Atoms().netWmStateHidden) return true;
  return false;
}

// Managers that keep iconified windows mapped say so in _NET_WM_STATE instead.
bool onPropertyChange(DriverWindow* record, const XPropertyEvent& event) {
  if (event.atom == x11Atoms().netFrameExtents) {
    x11NoteFrameExtents(record->window);
    return false;
  }
  if (event.atom != x11Atoms().netWmState || !record->mapped) return false;
  bool hidden = hasHiddenState(record->window);
  if (hidden == record->minimised) return false;
  if (hidden) {
    reportMinimised(record);
  } else {
    record->minimised = false;
    x11ReportGeometry(record);
  }
  return true;
}

bool onConfigure(DriverWindow* record, const XConfigureEvent& event) {
  record->width = event.width;
  record->height = event.height;
  if (!record->mapped || record->minimised) return false;
  // The event's position is relative to the parent, which is a manager's frame when the
  // window has been reparented; asking the server gives the root position in every case.
  x11ReportGeometry(record);
  return true;
}

bool onFocus(DriverWindow* record, const XFocusChangeEvent& event) {
  // Keyboard grabs (a manager's window switcher) move no focus.
  if (event.mode == NotifyGrab || event.mode == NotifyUngrab) return false;
  if (event.detail == NotifyInferior) return false;
  bool active = event.type == FocusIn;
  if (active == record->focused) return false;
  record->focused = active;
  platformNotifyActivated(record->handle, active, record->minimised);
  return true;
}

// Without detectable auto-repeat a held key sends release/press pairs with the same
// time; the release of such a pair is no release.
bool isRepeatRelease(Display* display, const XKeyEvent& release) {
  if (XEventsQueued(display, QueuedAfterReading) == 0) return false;
  XEvent next;
  XPeekEvent(display, &next);
  return next.type == KeyPress && next.xkey.window == release.window &&
         next.xkey.keycode == release.keycode && next.xkey.time == release.time;
}

bool handle(Display* display, XEvent& event) {
  DriverWindow* record = x11WindowOf(event.xany.window);
  if (record == nullptr) return false;
  switch (event.type) {
    case Expose:
      if (event.xexpose.count != 0) return false;  // one report per series
      platformNotifyExposed(record->handle);
      return true;
    case ConfigureNotify:
      return onConfigure(record, event.xconfigure);
    case MapNotify:
      record->mapped = true;
      record->minimised = false;
      x11ReportGeometry(record);
      return true;
    case UnmapNotify:
      record->mapped = false;
      if (record->hidden) return false;  // hidden on request: not minimised
      reportMinimised(record);
      return true;
    case PropertyNotify:
      return onPropertyChange(record, event.xproperty);
    case FocusIn:
    case FocusOut:
      return onFocus(record, event.xfocus);
    case ClientMessage:
      if (event.xclient.message_type != x11Atoms().wmProtocols ||
          static_cast<Atom>(event.xclient.data.l[0]) != x11Atoms().wmDeleteWindow)
        return false;
      platformNotifyCloseRequest(record->handle);
      return true;
    case KeyPress: {
      X11KeyPress press = x11TranslateKey(&event.xkey);
      platformPostKeyDown(record->handle, press.virtualKey, press.character);
      return true;
    }
    case KeyRelease:
      if (isRepeatRelease(display, event.xkey)) return false;
      platformPostKeyUp(record->handle, x11VirtualKeyOf(XLookupKeysym(&event.xkey, 0)));
      return true;
    case ButtonPress:
    case ButtonRelease: {
      ButtonMessages messages;
      if (!buttonMessagesOf(event.xbutton.button, &messages)) return false;
      // The state is the one before the event: the pressed button joins it, the released
      // one leaves it.
      WPARAM keyState = keyStateOf(event.xbutton.state);
      bool press = event.type == ButtonPress;
      keyState = press ? (keyState | messages.flag) : (keyState & ~messages.flag);
      platformPostMouse(record->handle, press ? messages.down : messages.up, event.xbutton.x,
                        event.xbutton.y, keyState);
      return true;
    }
    case MotionNotify:
      platformPostMouse(record->handle, WM_MOUSEMOVE, event.xmotion.x, event.xmotion.y,
                        keyStateOf(event.xmotion.state));
      return true;
    default:
      return false;
  }
}

}  // namespace

void x11PumpEvents(bool wait) {
  Display* display = x11Display();
  if (display == nullptr) return;
  x11ShowPendingWindows();
  bool reported = false;
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (handle(display, event)) reported = true;
    }
    if (!wait || reported) return;
    XEvent event;
    XNextEvent(display, &event);  // blocks until the server sends something
    if (handle(display, event)) reported = true;
  }
}
