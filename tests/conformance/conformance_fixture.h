// The fixture of the conformance suite: the Win32 behaviour that winfw/ and pixfmt/ rely
// on, written against platform.h alone, so that the same tests run against our core (over
// the x11 driver) and against a real implementation of the API. A window class whose
// procedure records what it is sent, and a pump that dispatches until the window system
// has gone quiet.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace conformance {

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  // For WM_NCCREATE and WM_CREATE, whose CREATESTRUCTA lives only during the call.
  std::string createName;
  LONG createStyle;
};

// The window messages whose order the framework depends on when a window is created, shown
// and destroyed.
extern const std::initializer_list<UINT> kLifecycleMessages;

class Win32Test : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A hidden top-level window of the recording class whose client area is at (x, y) and of
  // width x height, created as the framework creates its window. Null on failure.
  HWND createWindow(int x = 40, int y = 50, int width = 320, int height = 240);
  // The same, shown, with everything that showing brought dispatched.
  HWND openWindow(int x = 40, int y = 50, int width = 320, int height = 240);

  // Leaves the window alive after the test (it is then the caller's to destroy).
  void keep(HWND window);

  // Dispatches waiting messages until none has arrived for quietMs (at most limitMs).
  void pumpUntilQuiet(int quietMs = 250, int limitMs = 4000);

  // What the recording procedure received, all of it or only the kinds named, in order.
  const std::vector<Received>& received() const;
  std::vector<Received> receivedOf(std::initializer_list<UINT> kinds) const;
  std::vector<UINT> messagesOf(std::initializer_list<UINT> kinds) const;
  void forgetReceived();

  // While set, the procedure answers WM_PAINT without validating (so the paint stays due).
  void leavePaintsInvalid(bool leave);

 private:
  std::vector<HWND> created_;
};

// Where the client area of an overlapped window starts, from its outer rectangle and the
// frame metrics.
POINT clientOrigin(const RECT& windowRect);

}  // namespace conformance
