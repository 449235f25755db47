// The one connection of the X11 driver to the X server, the atoms it uses, and a trap for
// protocol errors of requests that are allowed to fail.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <vector>

struct X11Atoms {
  Atom wmProtocols;
  Atom wmDeleteWindow;
  Atom wmState;
  Atom wmChangeState;
  Atom utf8String;
  Atom netWmName;
  Atom netWmIcon;
  Atom netWmState;
  Atom netWmStateHidden;
  Atom netFrameExtents;
  Atom netRequestFrameExtents;
  Atom netSupportingWmCheck;
};

// Opens the display named by $DISPLAY; false when there is none.
bool x11Connect();
void x11Disconnect();

// Null while not connected.
Display* x11Display();
int x11Screen();
Window x11Root();
const X11Atoms& x11Atoms();
// The standard arrow cursor of every window.
Cursor x11ArrowCursor();
// True when a window manager announces itself on the root window (EWMH).
bool x11HasWindowManager();

// Reads a 32-bit property of the given type (at most maxItems items) into `items`, with
// protocol errors trapped (the window may be gone). False when the window has no such
// property.
bool x11ReadProperty32(Window window, Atom property, Atom type, long maxItems,
                       std::vector<long>* items);

// The connection to the X server is gone (Xlib's I/O error handler, or a hang-up seen on
// its descriptor): says so on standard error and ends the process at once with status 1,
// first ending the process tied to the display, if any. Async-signal-safe calls only.
[[noreturn]] void x11LostDisplay();
// While not 0, `child` is ended with the process when the display is lost: a message
// box's helper. The connection may be gone for this process alone (another client killed
// it with XKillClient), and the box would then stay up with nobody waiting for it.
void x11TieToDisplay(pid_t child);

// Between these two calls protocol errors are recorded instead of reported; the second
// waits for the server and returns the first error code seen (Success when none).
void x11TrapErrors();
int x11UntrapErrors();
