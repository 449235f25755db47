// A fixture for tests of the X11 driver beneath the platform core: a private Xvfb, a
// window class whose procedure records every message, and helpers that pump the core's
// queue until something arrives.
#pragma once

#include "tests/x11/x11_harness.h"  // first: it orders GoogleTest before Xlib
// (keep this order)
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace x11test {

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class X11DriverTest : public XvfbTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A shown top-level window of the recording class with its client area at (x, y) and
  // exactly width x height, as the framework opens it but without a pixel format; the queue
  // is looked at once, which puts it on the screen.
  HWND openWindow(const std::string& title, int clientX, int clientY, int width, int height);
  // The same, placed by the window system.
  HWND openWindowAnywhere(const std::string& title, int width, int height);

  // Takes, translates and dispatches every waiting message, again and again, until the
  // condition holds or the time is up; returns the condition.
  bool pumpUntil(const std::function<bool()>& condition, int timeoutMs = 3000);
  // Pumps for a while, for checking that something does NOT arrive.
  void pumpFor(int milliseconds);

  // Everything the window procedure received so far, and the messages of one kind.
  const std::vector<Received>& received() const;
  std::vector<Received> receivedOf(UINT message) const;
  bool hasReceived(UINT message) const { return !receivedOf(message).empty(); }
  void forgetReceived();

  // While set, WM_CLOSE is only recorded, not handed to the default processing (which
  // would destroy the window).
  void keepWindowsOnClose(bool keep);

  // The native window that carries the title, seen from the test's own connection.
  Window nativeWindow(const std::string& title) { return findWindowByTitle(display_, title); }

 private:
  std::vector<HWND> opened_;
};

}  // namespace x11test
