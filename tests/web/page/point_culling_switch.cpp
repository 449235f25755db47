// Linked into the test build of the page only, in place of the web GL layer's empty swap
// watcher: the browser test's switch for the layer's culling of points that change no pixel,
// so that the page's own picture can be compared with and without it, and the count of the
// vertices handed over to WebGL, which shows the switch at work. The test door calls both.
#include <emscripten.h>

#include <cstdint>

#include "platform/web/web_gl.h"

namespace {

uint32_t verticesHandedOver = 0;

}  // namespace

void webGlObserveSwap() { verticesHandedOver += static_cast<uint32_t>(webGlFrame().vertexCount); }

extern "C" EMSCRIPTEN_KEEPALIVE void webtest_point_culling(int on) {
  webGlSetPointCulling(on != 0);
}
extern "C" EMSCRIPTEN_KEEPALIVE uint32_t webtest_vertices_handed_over() {
  return verticesHandedOver;
}
