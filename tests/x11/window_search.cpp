// Finding top-level windows by title, reading their placement and properties, and sending
// them what a window manager sends, as a test sees them from outside the program.
#include "tests/x11/x11_harness.h"  // first: it orders GoogleTest before Xlib

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <thread>

namespace x11test {
namespace {

// The bytes of an 8-bit text property of any of the given types (for an ASCII title,
// STRING, UTF8_STRING and COMPOUND_TEXT hold the same bytes).
std::string stringProperty(Display* display, Window window, Atom property,
                           std::initializer_list<Atom> types) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::string value;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType,
                         &actualType, &format, &count, &remaining, &data) == Success &&
      format == 8 && data != nullptr &&
      std::find(types.begin(), types.end(), actualType) != types.end())
    value.assign(reinterpret_cast<const char*>(data), count);
  if (data != nullptr) XFree(data);
  return value;
}

Window search(Display* display, Window window, const std::string& title) {
  if (netWmName(display, window) == title || wmName(display, window) == title) return window;
  Window root = None, parent = None;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return None;
  Window found = None;
  for (unsigned int i = 0; i < count && found == None; ++i)
    found = search(display, children[i], title);
  if (children != nullptr) XFree(children);
  return found;
}

// A window may vanish between listing and reading it; that is no failure of the search.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

std::string netWmName(Display* display, Window window) {
  return stringProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                        {XInternAtom(display, "UTF8_STRING", False)});
}

std::string wmName(Display* display, Window window) {
  return stringProperty(display, window, XA_WM_NAME,
                        {XA_STRING, XInternAtom(display, "UTF8_STRING", False),
                         XInternAtom(display, "COMPOUND_TEXT", False)});
}

std::vector<long> cardinals(Display* display, Window window, const std::string& name) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::vector<long> items;
  if (XGetWindowProperty(display, window, XInternAtom(display, name.c_str(), False), 0, 1 << 20,
                         False, AnyPropertyType, &type, &format, &count, &remaining,
                         &data) == Success &&
      format == 32)
    items.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
  if (data != nullptr) XFree(data);
  return items;
}

void sendClientMessage(Display* display, Window to, Window about, const std::string& type,
                       std::initializer_list<long> items) {
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = about;
  message.xclient.message_type = XInternAtom(display, type.c_str(), False);
  message.xclient.format = 32;
  std::copy(items.begin(), items.end(), message.xclient.data.l);
  const long mask = to == DefaultRootWindow(display)
                        ? SubstructureNotifyMask | SubstructureRedirectMask
                        : NoEventMask;
  XSendEvent(display, to, False, mask, &message);
  XSync(display, False);
}

void sendWmDeleteWindow(Display* display, Window window) {
  sendClientMessage(display, window, window, "WM_PROTOCOLS",
                    {static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False)),
                     CurrentTime});
}

Window findWindowByTitle(Display* display, const std::string& title) {
  XSync(display, False);
  auto previous = XSetErrorHandler(ignoreErrors);
  Window found = search(display, DefaultRootWindow(display), title);
  XSync(display, False);
  XSetErrorHandler(previous);
  return found;
}

Window waitForWindowByTitle(Display* display, const std::string& title, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    Window found = findWindowByTitle(display, title);
    if (found != None || std::chrono::steady_clock::now() >= deadline) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

bool windowGeometry(Display* display, Window window, Geometry* geometry) {
  // The window may be gone already (its program replaced or closed it).
  XSync(display, False);
  auto previous = XSetErrorHandler(ignoreErrors);
  XWindowAttributes attributes;
  int x = 0, y = 0;
  Window child = None;
  bool found = XGetWindowAttributes(display, window, &attributes) &&
               XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y,
                                     &child);
  XSync(display, False);
  XSetErrorHandler(previous);
  if (found) *geometry = Geometry{x, y, attributes.width, attributes.height};
  return found;
}

}  // namespace x11test
