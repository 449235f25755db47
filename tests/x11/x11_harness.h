// Test support for code that needs a real display: a private Xvfb, input through XTest,
// top-level windows found by title, pixels read back with XGetImage, PNG snapshots.
#pragma once

// GoogleTest comes before Xlib everywhere: Xlib's None and Bool macros would break it.
#include <gtest/gtest.h>
// (keep this order)
#include <X11/Xlib.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace x11test {

// ---- The X server ---------------------------------------------------------------------
// Starts one Xvfb for this process (1280 x 1024 x 24, no TCP) on a display number it
// finds free, waits until it accepts connections, and points DISPLAY at it; GLX renders
// with Mesa's software rasteriser. Later calls return the first outcome. The server is
// ended when the process exits (and, should the process die, by the kernel).
// False, with the reason, when no server could be started.
bool startXvfb(std::string* whyNot);
// ":N" of the running server, empty before a successful start.
const std::string& displayName();
// Ends the server now (normally left to process exit); the next startXvfb starts another.
void stopXvfb();
// Arguments added to the command line of the servers started from now on, for example
// {"-extension", "GLX"} for a server without GLX.
void setXvfbArguments(const std::vector<std::string>& extraArguments);

// A fresh connection to the server for the test's own requests; null on failure.
Display* openDisplay();

// ---- Input ----------------------------------------------------------------------------
// Each call waits until the server has processed the fake event.
void movePointer(Display* display, int rootX, int rootY);
void pressButton(Display* display, unsigned int button);
void releaseButton(Display* display, unsigned int button);
void clickButton(Display* display, unsigned int button);
void pressKey(Display* display, KeySym keysym);
void releaseKey(Display* display, KeySym keysym);
void tapKey(Display* display, KeySym keysym);

// ---- Windows --------------------------------------------------------------------------
// The window whose _NET_WM_NAME or WM_NAME is the title, searched through the whole tree
// (so it is found under a reparenting manager too); None when there is none.
Window findWindowByTitle(Display* display, const std::string& title);
// Waits up to timeoutMs for such a window to appear.
Window waitForWindowByTitle(Display* display, const std::string& title, int timeoutMs);
// The window's top-left corner (inside its border) in root coordinates and its size.
struct Geometry {
  int x, y, width, height;
};
bool windowGeometry(Display* display, Window window, Geometry* geometry);
// The window's _NET_WM_NAME (UTF-8) and WM_NAME properties, empty when unset.
std::string netWmName(Display* display, Window window);
std::string wmName(Display* display, Window window);
// The items of the window's 32-bit property of that name (as Xlib gives them: longs,
// sign-extended from 32 bits), empty when unset.
std::vector<long> cardinals(Display* display, Window window, const std::string& name);
// A 32-bit client message of the type about `about`, with up to five items, sent to `to`:
// the window itself (a protocol message), or the root, to the window manager (an EWMH
// request). Returns once the server has it.
void sendClientMessage(Display* display, Window to, Window about, const std::string& type,
                       std::initializer_list<long> items);
// The close a window manager sends: WM_DELETE_WINDOW in a WM_PROTOCOLS message.
void sendWmDeleteWindow(Display* display, Window window);

// ---- Pixels ---------------------------------------------------------------------------
struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb& other) const {
    return r == other.r && g == other.g && b == other.b;
  }
};
static_assert(sizeof(Rgb) == 3, "rows of Rgb are packed RGB, as PNG rows are");
// The pixels of a rectangle of the window, row by row from the top-left; empty on
// failure (for example a rectangle outside the window).
std::vector<Rgb> readPixels(Display* display, Window window, int x, int y, int width,
                            int height);
// Writes the window (the root window for the whole screen) as an 8-bit RGB PNG.
bool savePng(Display* display, Window window, const std::string& path);

// ---- Fixture ---------------------------------------------------------------------------
// Starts the server (or skips the test, saying why) and opens a connection for the test.
class XvfbTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  Display* display_ = nullptr;
};

}  // namespace x11test

std::ostream& operator<<(std::ostream& out, const x11test::Rgb& colour);
