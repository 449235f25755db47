// The headless driver's scripted state, shared by its files.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/driver.h"
#include "platform/testing.h"

struct DriverWindow {
  HWND window = nullptr;
  std::string title;
  int clientX = 0;
  int clientY = 0;
  int width = 0;
  int height = 0;
  bool systemPlacement = false;
  bool visible = false;
  bool minimised = false;
  int format = 0;
};

struct DriverContext {
  DriverWindow* window = nullptr;
};

struct HeadlessState {
  std::map<int, int> metrics{{SM_CXSCREEN, 1920}, {SM_CYSCREEN, 1080}};
  POINT cursor{0, 0};
  std::vector<platformtest::MessageBoxRecord> boxes;
  int swaps = 0;
  std::vector<PIXELFORMATDESCRIPTOR> formats = platformtest::trueColourFormats();
  bool paletteDevice = false;
  bool displayAvailable = true;
  bool activateOnShow = true;
  POINT systemPlacement{50, 60};
  std::map<std::string, int> failuresLeft;
  std::deque<std::function<void()>> events;
  std::vector<std::unique_ptr<DriverWindow>> windows;
  std::vector<std::unique_ptr<DriverContext>> contexts;
  DriverContext* current = nullptr;
  DriverWindow* grab = nullptr;
};

HeadlessState& headless();
// True when a test asked this call of the driver operation to fail.
bool headlessFails(const char* operation);
DriverWindow* headlessFindWindow(HWND window);
