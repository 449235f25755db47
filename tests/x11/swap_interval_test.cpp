// The choice of the swap-control extension from the GLX extension list.
#include <gtest/gtest.h>

#include "platform/x11/x11_swap_interval.h"

namespace {

TEST(SwapInterval, ChoosesByWholeNamesInOrderOfPreference) {
  struct Case {
    const char* extensions;
    SwapControl expected;
  };
  const Case cases[] = {
      {"", SwapControl::Unavailable},
      {"GLX_ARB_create_context GLX_SGI_make_current_read", SwapControl::Unavailable},
      // A longer name that only starts with one of them does not offer it.
      {"GLX_EXT_swap_control_tear GLX_MESA_swap_control_x", SwapControl::Unavailable},
      {"GLX_SGI_swap_control", SwapControl::Sgi},
      {"GLX_SGI_swap_control GLX_MESA_swap_control", SwapControl::Mesa},
      {"GLX_EXT_swap_control_tear GLX_MESA_swap_control GLX_EXT_swap_control",
       SwapControl::Ext},
      {"GLX_EXT_swap_control", SwapControl::Ext},
  };
  for (const Case& c : cases)
    EXPECT_EQ(chooseSwapControl(c.extensions), c.expected) << '"' << c.extensions << '"';
  EXPECT_EQ(chooseSwapControl(nullptr), SwapControl::Unavailable);
  EXPECT_FALSE(hasGlxExtension("xGLX_EXT_swap_control", "GLX_EXT_swap_control"));
}

}  // namespace
