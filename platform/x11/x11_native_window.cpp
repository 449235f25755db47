// The native X window behind a window record: created with the visual its pixel format
// needs, with everything a window manager reads (title, class, icon, size and position
// hints, the close protocol), and mapped synchronously so the first frame is seen.
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "platform/x11/x11_display.h"
#include "platform/x11/x11_icon.h"
#include "platform/x11/x11_window.h"

namespace {

// WM_NAME is Latin-1: characters beyond it become '?'. _NET_WM_NAME carries the full
// UTF-8 title for managers that read it.
std::string latin1Of(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      ++i;
      continue;
    }
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    unsigned code = 0;
    if (length == 2 && i + 1 < utf8.size())
      code = ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
    out += (length == 2 && code >= 0xA0 && code <= 0xFF) ? static_cast<char>(code) : '?';
    i += length;
  }
  return out;
}

void setTitle(Display* display, Window window, const std::string& title) {
  const X11Atoms& atoms = x11Atoms();
  std::string latin1 = latin1Of(title);
  XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(latin1.data()),
                  static_cast<int>(latin1.size()));
  XChangeProperty(display, window, atoms.netWmName, atoms.utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));
}

void setClass(Display* display, Window window) {
  std::string name = program_invocation_short_name;
  std::string className = name;
  if (!className.empty() && className[0] >= 'a' && className[0] <= 'z')
    className[0] = static_cast<char>(className[0] - 'a' + 'A');
  XClassHint hint;
  hint.res_name = name.data();
  hint.res_class = className.data();
  XSetClassHint(display, window, &hint);
}

// Xlib takes the items of a 32-bit property as longs, whatever their size; the copy lives
// only for the request (a window is made once).
void setIcon(Display* display, Window window) {
  const std::vector<long> items(x11IconCardinals, x11IconCardinals + x11IconCardinalCount);
  XChangeProperty(display, window, x11Atoms().netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(items.data()),
                  static_cast<int>(items.size()));
}

// Position hints: an explicit position is the client area's (StaticGravity), so a
// reparenting manager puts its frame around the client instead of moving it.
void setNormalHints(Display* display, Window window, const DriverWindow& record) {
  XSizeHints* hints = XAllocSizeHints();
  if (hints == nullptr) return;
  hints->flags = PSize | USSize;
  hints->width = record.width;
  hints->height = record.height;
  if (!record.systemPlacement) {
    hints->flags |= USPosition | PPosition | PWinGravity;
    hints->x = record.clientX;
    hints->y = record.clientY;
    hints->win_gravity = StaticGravity;
  }
  XSetWMNormalHints(display, window, hints);
  XFree(hints);
}

void setWmHints(Display* display, Window window) {
  XWMHints* hints = XAllocWMHints();
  if (hints == nullptr) return;
  hints->flags = InputHint | StateHint;
  hints->input = True;
  hints->initial_state = NormalState;
  XSetWMHints(display, window, hints);
  XFree(hints);
}

// Black in the visual's pixel layout; on a visual with alpha the unused bits are alpha,
// which must be opaque.
unsigned long blackPixel(const XVisualInfo& visual) {
  if (visual.depth >= 64) return 0;
  unsigned long pixelBits = (1ul << visual.depth) - 1;
  if (visual.c_class != TrueColor && visual.c_class != DirectColor) return 0;
  return pixelBits & ~(visual.red_mask | visual.green_mask | visual.blue_mask);
}

Bool isMapNotifyOf(Display*, XEvent* event, XPointer window) {
  return event->type == MapNotify &&
         event->xmap.window == *reinterpret_cast<Window*>(window);
}

}  // namespace

bool x11CreateNativeWindow(DriverWindow* record, const XVisualInfo* visual) {
  Display* display = x11Display();
  int screen = x11Screen();
  XSetWindowAttributes attributes{};
  unsigned long mask = CWBackPixel | CWBorderPixel | CWEventMask | CWCursor | CWColormap;
  attributes.border_pixel = 0;
  attributes.cursor = x11ArrowCursor();
  attributes.event_mask = ExposureMask | StructureNotifyMask | FocusChangeMask | KeyPressMask |
                          KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                          PointerMotionMask | PropertyChangeMask;
  Visual* nativeVisual = DefaultVisual(display, screen);
  int depth = DefaultDepth(display, screen);
  if (visual == nullptr) {
    attributes.background_pixel = BlackPixel(display, screen);
    attributes.colormap = DefaultColormap(display, screen);
    record->colormap = None;
  } else {
    nativeVisual = visual->visual;
    depth = visual->depth;
    attributes.background_pixel = blackPixel(*visual);
    record->colormap = XCreateColormap(display, x11Root(), visual->visual, AllocNone);
    attributes.colormap = record->colormap;
  }

  x11TrapErrors();
  Window window = XCreateWindow(display, x11Root(), record->clientX, record->clientY,
                                static_cast<unsigned>(record->width),
                                static_cast<unsigned>(record->height), 0, depth, InputOutput,
                                nativeVisual, mask, &attributes);
  if (x11UntrapErrors() != Success || window == None) {
    if (record->colormap != None) XFreeColormap(display, record->colormap);
    record->colormap = None;
    return false;
  }
  record->window = window;
  record->visualId = XVisualIDFromVisual(nativeVisual);

  setTitle(display, window, record->title);
  setClass(display, window);
  setIcon(display, window);
  setNormalHints(display, window, *record);
  setWmHints(display, window);
  Atom protocols[] = {x11Atoms().wmDeleteWindow};
  XSetWMProtocols(display, window, protocols, 1);
  XFlush(display);
  return true;
}

void x11DestroyNativeWindow(DriverWindow* record) {
  Display* display = x11Display();
  if (record->glxWindow != None) {
    // A context must not stay current on a drawable that is going away.
    if (glXGetCurrentDrawable() == record->glxWindow) glXMakeContextCurrent(display, None, None, nullptr);
    glXDestroyWindow(display, record->glxWindow);
    record->glxWindow = None;
  }
  if (record->window != None) XDestroyWindow(display, record->window);
  record->window = None;
  if (record->colormap != None) XFreeColormap(display, record->colormap);
  record->colormap = None;
  record->mapped = false;
  // Gone when this returns, as a destroyed window is.
  XSync(display, False);
}

void x11MapAndWait(DriverWindow* record) {
  Display* display = x11Display();
  XMapRaised(display, record->window);
  XFlush(display);

  // A manager may refuse or delay the map; the wait is bounded so a refusal cannot hang
  // the program.
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(2);
  XEvent event;
  Window window = record->window;
  while (!XCheckIfEvent(display, &event, isMapNotifyOf, reinterpret_cast<XPointer>(&window))) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    if (poll(&connection, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) return;
  }
  record->mapped = true;
  record->minimised = false;

  // Without a manager nobody gives the new window the keyboard, as showing a window does
  // on other systems; with one, focus is the manager's business.
  if (!x11HasWindowManager()) {
    x11TrapErrors();
    XSetInputFocus(display, record->window, RevertToPointerRoot, CurrentTime);
    x11UntrapErrors();
  }
}

void x11ReportGeometry(DriverWindow* record) {
  Display* display = x11Display();
  XWindowAttributes attributes;
  int x = 0, y = 0;
  Window child = None;
  x11TrapErrors();
  bool known = XGetWindowAttributes(display, record->window, &attributes) != 0 &&
               XTranslateCoordinates(display, record->window, x11Root(), 0, 0, &x, &y, &child);
  if (x11UntrapErrors() != Success || !known) return;
  record->clientX = x;
  record->clientY = y;
  record->width = attributes.width;
  record->height = attributes.height;
  platformNotifyConfigured(record->handle, x, y, attributes.width, attributes.height, false);
}
