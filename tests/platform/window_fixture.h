// Windows whose procedure records every message it receives, and may react to one.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "tests/platform/platform_fixture.h"

struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class WindowTest : public FreshPlatform {
 protected:
  void SetUp() override {
    FreshPlatform::SetUp();
    received().clear();
    reactions().clear();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = recordingProcedure;
    windowClass.lpszClassName = "Recorder";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
  }

  // A captioned window with a sizing frame, client area 200 x 100 at (40, 50) while the
  // metrics are 0.
  HWND createWindow(const char* title = "Window") {
    return CreateWindowExA(0, "Recorder", title, WS_OVERLAPPEDWINDOW, 40, 50, 200, 100, nullptr,
                           nullptr, nullptr, nullptr);
  }

  static std::vector<Received>& received() {
    static std::vector<Received> log;
    return log;
  }

  // What the procedure does for a message instead of DefWindowProcA.
  static std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>>& reactions() {
    static std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> table;
    return table;
  }

  static std::vector<UINT> messagesFor(HWND window) {
    std::vector<UINT> messages;
    for (const Received& each : received())
      if (each.window == window) messages.push_back(each.message);
    return messages;
  }

  static int countOf(HWND window, UINT message) {
    int count = 0;
    for (const Received& each : received())
      if (each.window == window && each.message == message) ++count;
    return count;
  }


 private:
  static LRESULT recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received().push_back({window, message, wParam, lParam});
    auto it = reactions().find(message);
    if (it != reactions().end()) return it->second(window, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
  }
};
