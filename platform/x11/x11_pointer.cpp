// Capture is an active pointer grab: with owner_events False every button and motion
// event goes to the capturing window, relative to it, wherever the pointer is.
#include "platform/x11/x11_pointer.h"

#include "platform/x11/x11_display.h"
#include "platform/x11/x11_window.h"

bool x11SetCapture(DriverWindow* window) {
  Display* display = x11Display();
  if (display == nullptr || window == nullptr || window->window == None) return false;
  int status = XGrabPointer(display, window->window, False,
                            ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                            GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
  XFlush(display);
  return status == GrabSuccess;
}

void x11ReleaseCapture() {
  Display* display = x11Display();
  if (display == nullptr) return;
  XUngrabPointer(display, CurrentTime);
  // Released when this returns: input that follows is no longer ours.
  XSync(display, False);
}

bool x11CursorPos(POINT* point) {
  Display* display = x11Display();
  if (display == nullptr || point == nullptr) return false;
  Window root = None, child = None;
  int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
  unsigned int mask = 0;
  if (!XQueryPointer(display, x11Root(), &root, &child, &rootX, &rootY, &windowX, &windowY,
                     &mask))
    return false;  // the pointer is on another screen
  point->x = rootX;
  point->y = rootY;
  return true;
}
