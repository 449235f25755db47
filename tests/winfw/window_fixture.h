// A fixture for tests that open the framework window on the headless driver: a fresh
// framework, palette state, platform and GL stream, and a trail that handlers write to.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pixfmt/pixfmt.h"
#include "platform/driver.h"
#include "platform/testing.h"
#include "tests/support/framework_fixture.h"
#include "winfw/state.h"
#include "winfw/window.h"

// What the handlers of a test saw, in order.
inline std::vector<std::string>& trail() {
  static std::vector<std::string> entries;
  return entries;
}

class WindowTest : public FreshFramework {
 protected:
  void SetUp() override {
    FreshFramework::SetUp();
    wfRestorePaletteState();
    // The platform reset forgot every class, so the framework must register its own again.
    wfForgetWindowClass();
    trail().clear();
  }

 public:
  // The program's settings: client area 985 x 730 in the top-left corner, RGBA, double
  // buffer, 16-bit depth.
  static int32_t openProgramWindow() {
    wfSetWindowPosition(0, 0, 985, 730);
    wfSetDisplayMode(WF_DOUBLE | WF_DEPTH16);
    return wfOpenWindow("Diagrama Voronogo. Velmarosh k-23");
  }

  static std::vector<std::string> boxCaptions() {
    std::vector<std::string> captions;
    for (const auto& box : platformtest::messageBoxes()) captions.push_back(box.caption);
    return captions;
  }

  static std::vector<std::string> boxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : platformtest::messageBoxes()) texts.push_back(box.text);
    return texts;
  }

  // True when every one of the seven handler slots is empty.
  static bool allSlotsEmpty() {
    return wfReshapeSlot == nullptr && wfDisplaySlot == nullptr && wfIdleSlot == nullptr &&
           wfKeySlot == nullptr && wfPressSlot == nullptr && wfReleaseSlot == nullptr &&
           wfMotionSlot == nullptr;
  }

  static bool quitWasPosted() {
    for (const MSG& message : platformtest::postedMessages())
      if (message.message == WM_QUIT) return true;
    return false;
  }
};
