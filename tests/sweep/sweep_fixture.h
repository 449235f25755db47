// Starts every frame-routine test from a fresh scene, framework, headless driver and GL
// stream, with helpers to place sites and to read the recorded stream.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>

#include "app/scene.h"
#include "platform/testing.h"
#include "sweep/frame_values.h"
#include "tests/support/gl_recorder.h"
#include "winfw/state.h"

class FreshSweep : public ::testing::Test {
 protected:
  void SetUp() override {
    restoreSceneStartValues();
    wfRestoreInitialState();
    platformtest::resetHeadless();
    glrec::reset();
    activeCount = 0;
    beachCount = 0;
    nearLine = 0;
  }

  // Appends a site, as a press would.
  static int place(double x, double y) {
    siteCount = siteCount + 1;
    sites[siteCount] = Site{x, y};
    return siteCount;
  }
  static void startSweep() { runCounter = 5; }

 public:
  // How many glColor3d calls set exactly this colour.
  static size_t colourCalls(double r, double g, double b) {
    size_t n = 0;
    for (const glrec::Call& c : glrec::calls())
      if (c.op == glrec::Op::Color3d && c.a[0] == r && c.a[1] == g && c.a[2] == b) ++n;
    return n;
  }
};
