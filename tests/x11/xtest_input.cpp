// Input for tests, faked through XTest as if a person used the mouse and keyboard.
#include "tests/x11/x11_harness.h"  // first: it orders GoogleTest before Xlib

#include <X11/extensions/XTest.h>

namespace x11test {

void movePointer(Display* display, int rootX, int rootY) {
  XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
  XSync(display, False);
}

void pressButton(Display* display, unsigned int button) {
  XTestFakeButtonEvent(display, button, True, CurrentTime);
  XSync(display, False);
}

void releaseButton(Display* display, unsigned int button) {
  XTestFakeButtonEvent(display, button, False, CurrentTime);
  XSync(display, False);
}

void clickButton(Display* display, unsigned int button) {
  pressButton(display, button);
  releaseButton(display, button);
}

void pressKey(Display* display, KeySym keysym) {
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), True, CurrentTime);
  XSync(display, False);
}

void releaseKey(Display* display, KeySym keysym) {
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), False, CurrentTime);
  XSync(display, False);
}

void tapKey(Display* display, KeySym keysym) {
  pressKey(display, keysym);
  releaseKey(display, keysym);
}

}  // namespace x11test
