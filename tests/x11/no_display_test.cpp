// The X11 driver where there is no display at all. A binary of its own, so that nothing
// has connected before the test runs.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/driver.h"

namespace {

TEST(NoDisplayTest, DriverDoesNotConnectAndOffersNothing) {
  unsetenv("DISPLAY");
  const PlatformDriver* driver = platformDefaultDriver();
  EXPECT_STREQ(driver->name, "x11");
  EXPECT_FALSE(driver->connect());
  EXPECT_EQ(driver->formatCount(), 0);
  EXPECT_EQ(driver->systemMetric(SM_CXSCREEN), 0);
  POINT cursor{};
  EXPECT_FALSE(driver->cursorPos(&cursor));
  EXPECT_EQ(driver->createWindow(nullptr, "no display", 0, 0, 10, 10, false), nullptr);
}

}  // namespace
