// The driver's connection: opened once, shared by every window, context and event pump.
#include "platform/x11/x11_display.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/cursorfont.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>

#include "platform/x11/x11_formats.h"

namespace {

Display* display = nullptr;
X11Atoms atoms{};
Cursor arrowCursor = None;

bool trapping = false;
int trappedError = Success;

// Xlib's default handler ends the process on any protocol error; the driver reports
// failures as results instead, so errors outside a trap are only logged.
int recordError(Display* errorDisplay, XErrorEvent* error) {
  if (trapping) {
    if (trappedError == Success) trappedError = error->error_code;
    return 0;
  }
  char description[256];
  XGetErrorText(errorDisplay, error->error_code, description, sizeof description);
  std::fprintf(stderr, "X11 error: %s (request %d.%d)\n", description, error->request_code,
               error->minor_code);
  return 0;
}

// A child process that must not outlive the connection (the message box's helper).
pid_t tiedProcess = 0;

int endOnLostConnection(Display*) { x11LostDisplay(); }

// Mesa's GLX talks to the server through XCB without Xlib and, while it sets itself up
// (glXGetFBConfigs loading the driver), uses failed replies of a connection the server has
// closed: a segmentation fault, not an I/O error. A fault while our connection has hung up
// is such a consequence of the lost display and ends the process as one. Any other fault
// goes back to the handler before ours (the sanitizers', or none), and the faulting
// instruction runs again under it.
struct sigaction faultActionsBefore[2];
const int kFaultSignals[2] = {SIGSEGV, SIGBUS};

bool connectionHungUp() {
  if (display == nullptr) return false;
  pollfd connection{ConnectionNumber(display), POLLRDHUP, 0};
  return poll(&connection, 1, 0) > 0 &&
         (connection.revents & (POLLHUP | POLLRDHUP | POLLERR | POLLNVAL)) != 0;
}

void onFault(int signal, siginfo_t*, void*) {
  if (connectionHungUp()) x11LostDisplay();
  for (int i = 0; i < 2; ++i)
    if (kFaultSignals[i] == signal) sigaction(signal, &faultActionsBefore[i], nullptr);
}

void watchFaults(bool on) {
  for (int i = 0; i < 2; ++i) {
    if (!on) {
      sigaction(kFaultSignals[i], &faultActionsBefore[i], nullptr);
      continue;
    }
    struct sigaction action {};
    action.sa_sigaction = onFault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    sigaction(kFaultSignals[i], &action, &faultActionsBefore[i]);
  }
}

Atom intern(const char* name) { return XInternAtom(display, name, False); }

}  // namespace

bool x11Connect() {
  if (display != nullptr) return true;
  display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot open the X display \"%s\"\n", XDisplayName(nullptr));
    return false;
  }
  XSetErrorHandler(recordError);
  XSetIOErrorHandler(endOnLostConnection);
  watchFaults(true);

  atoms.wmProtocols = intern("WM_PROTOCOLS");
  atoms.wmDeleteWindow = intern("WM_DELETE_WINDOW");
  atoms.wmState = intern("WM_STATE");
  atoms.wmChangeState = intern("WM_CHANGE_STATE");
  atoms.utf8String = intern("UTF8_STRING");
  atoms.netWmName = intern("_NET_WM_NAME");
  atoms.netWmIcon = intern("_NET_WM_ICON");
  atoms.netWmState = intern("_NET_WM_STATE");
  atoms.netWmStateHidden = intern("_NET_WM_STATE_HIDDEN");
  atoms.netFrameExtents = intern("_NET_FRAME_EXTENTS");
  atoms.netRequestFrameExtents = intern("_NET_REQUEST_FRAME_EXTENTS");
  atoms.netSupportingWmCheck = intern("_NET_SUPPORTING_WM_CHECK");

  arrowCursor = XCreateFontCursor(display, XC_left_ptr);

  // A held key then repeats as presses alone, without a release before each repeat.
  Bool supported = False;
  XkbSetDetectableAutoRepeat(display, True, &supported);
  return true;
}

void x11Disconnect() {
  if (display == nullptr) return;
  x11ForgetFormats();
  if (arrowCursor != None) XFreeCursor(display, arrowCursor);
  arrowCursor = None;
  watchFaults(false);
  XCloseDisplay(display);
  display = nullptr;
}

Display* x11Display() { return display; }
int x11Screen() { return DefaultScreen(display); }
Window x11Root() { return RootWindow(display, DefaultScreen(display)); }
const X11Atoms& x11Atoms() { return atoms; }
Cursor x11ArrowCursor() { return arrowCursor; }

bool x11ReadProperty32(Window window, Atom property, Atom type, long maxItems,
                       std::vector<long>* items) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  x11TrapErrors();
  int status = XGetWindowProperty(display, window, property, 0, maxItems, False, type,
                                  &actualType, &format, &count, &remaining, &data);
  x11UntrapErrors();
  bool found = status == Success && actualType == type && format == 32;
  items->clear();
  if (found) {
    // Xlib hands 32-bit items over as longs.
    const long* values = reinterpret_cast<const long*>(data);
    items->assign(values, values + count);
  }
  if (data != nullptr) XFree(data);
  return found;
}

bool x11HasWindowManager() {
  // EWMH: the manager names a check window on the root, which names itself again.
  std::vector<long> check;
  return x11ReadProperty32(x11Root(), atoms.netSupportingWmCheck, XA_WINDOW, 1, &check) &&
         check.size() == 1;
}

void x11LostDisplay() {
  static const char message[] = "voronoi-sweep: lost the connection to the X display\n";
  if (tiedProcess > 0) kill(tiedProcess, SIGTERM);
  ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
  (void)written;  // nothing more can be done about a standard error that is gone too
  // _exit, not exit: the exit handlers and destructors of Mesa and Xlib would tear down a
  // connection that is gone (calling this handler again) and may wait for GL driver
  // threads, so the process could hang instead of ending. The kernel frees what is left.
  _exit(1);
}

void x11TieToDisplay(pid_t child) { tiedProcess = child; }

void x11TrapErrors() {
  XSync(display, False);
  trapping = true;
  trappedError = Success;
}

int x11UntrapErrors() {
  XSync(display, False);
  trapping = false;
  return trappedError;
}
