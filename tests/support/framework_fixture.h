// A fixture that starts every test from a fresh framework, scene, headless driver and GL
// stream.
#pragma once

#include <gtest/gtest.h>

#include "platform/testing.h"
#include "tests/support/gl_recorder.h"
#include "winfw/state.h"

class FreshFramework : public ::testing::Test {
 protected:
  void SetUp() override {
    wfRestoreInitialState();
    platformtest::resetHeadless();
    platformtest::setFocusWindow(nullptr);
    glrec::reset();
  }
};
