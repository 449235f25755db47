// Test-only interface to the platform: seeds and inspects the state that the core emulates
// and that the headless driver scripts. Only tests include it.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace platformtest {

// ---- Headless driver ------------------------------------------------------------------
struct MessageBoxRecord {
  HWND owner;
  std::string caption;
  std::string text;
  UINT type;
};

// Returns the headless driver to its start: default metrics, cursor at (0, 0), no message
// boxes, no swaps.
void resetHeadless();
void setSystemMetric(int index, int value);
void setCursorPos(int x, int y);
const std::vector<MessageBoxRecord>& messageBoxes();
void clearMessageBoxes();
int swapCount();

// ---- Core ---------------------------------------------------------------------------------
// The window that GetFocus reports.
void setFocusWindow(HWND window);

}  // namespace platformtest
