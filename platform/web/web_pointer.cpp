// Capture is the canvas's pointer capture of the pressed pointer: its moves and its release
// keep coming to the canvas, in client pixels, while it is outside.
#include "platform/web/web_pointer.h"

#include "platform/web/web_imports.h"
#include "platform/web/web_window.h"

bool webSetCapture(DriverWindow* window) {
  if (window == nullptr || window != webCanvasWindow()) return false;
  return webjs_set_capture() != 0;
}

void webReleaseCapture() { webjs_release_capture(); }

// The client origin is the screen's (0, 0) on this display, so the last position the canvas
// saw is the screen position.
bool webCursorPos(POINT* point) {
  if (point == nullptr) return false;
  point->x = webjs_pointer_position(0);
  point->y = webjs_pointer_position(1);
  return true;
}
