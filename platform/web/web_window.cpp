// One canvas, so one window on it at a time: a window created while another exists takes
// the canvas over (the framework only does so after destroying the first).
#include "platform/web/web_window.h"

#include "platform/web/web_display.h"
#include "platform/web/web_formats.h"
#include "platform/web/web_imports.h"

namespace {

DriverWindow* canvasWindow = nullptr;

}  // namespace

DriverWindow* webCanvasWindow() { return canvasWindow; }

DriverWindow* webCreateWindow(HWND handle, const char* titleUtf8, int, int, int width,
                              int height, bool) {
  if (!webConnected() || width <= 0 || height <= 0) return nullptr;
  webjs_create_window(titleUtf8 != nullptr ? titleUtf8 : "", width, height);
  webjs_show_window(0);
  canvasWindow = new DriverWindow{handle, width, height, 0};
  return canvasWindow;
}

void webDestroyWindow(DriverWindow* window) {
  if (window == nullptr) return;
  if (window == canvasWindow) canvasWindow = nullptr;
  delete window;
}

// The canvas sits in the page's flow: its client origin is (0, 0) and its size never changes
// by itself, since nothing on the page can resize or minimise it.
void webShowWindow(DriverWindow* window, int command) {
  if (window == nullptr || window != canvasWindow) return;
  const bool shown = command != SW_HIDE;
  webjs_show_window(shown ? 1 : 0);
  if (!shown) return;
  platformNotifyConfigured(window->handle, 0, 0, window->width, window->height, false);
  platformNotifyActivated(window->handle, webjs_has_focus() != 0, false);
  platformNotifyExposed(window->handle);
}

bool webSetFormat(DriverWindow* window, int number) {
  if (window == nullptr || !webFormatExists(number)) return false;
  if (window->formatNumber != 0) return window->formatNumber == number;
  window->formatNumber = number;
  return true;
}
