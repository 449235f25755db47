// A browser gives a canvas one WebGL context; the driver's contexts share it. The swap draws
// the frame the GL calls collected into the window's picture, shows the picture on the page,
// then waits for the next animation frame: the program yields to the browser there, and the
// sweep advances once per display refresh, as the swap interval of 1 makes it do on a
// desktop.
#include "platform/web/web_context.h"

#include "platform/web/web_gl.h"
#include "platform/web/web_imports.h"
#include "platform/web/web_summary.h"
#include "platform/web/web_window.h"

struct DriverContext {
  int formatNumber;
};

namespace {

bool haveWebGl = false;

}  // namespace

DriverContext* webCreateContext(DriverWindow* window) {
  if (window == nullptr || window->formatNumber == 0) return nullptr;
  if (!haveWebGl) haveWebGl = webjs_create_context() != 0;
  if (!haveWebGl) return nullptr;
  return new DriverContext{window->formatNumber};
}

bool webMakeCurrent(DriverWindow* window, DriverContext* context) {
  if (window == nullptr && context == nullptr) return true;
  if (window == nullptr || context == nullptr) return false;
  return window->formatNumber == context->formatNumber;
}

void webDeleteContext(DriverContext* context) { delete context; }

bool webSwapBuffers(DriverWindow* window) {
  if (window == nullptr || window != webCanvasWindow() || !haveWebGl) return false;
  webGlNotifySwap();
  const WebFrame frame = webGlFrame();
  // A frame the page already shows is drawn again only when the page has lost it.
  if (webjs_draw(webGlFrameRepeatsLast(frame) ? 1 : 0, frame.cleared ? 1 : 0,
                 frame.clearColour[0], frame.clearColour[1], frame.clearColour[2],
                 frame.clearColour[3], frame.draws, frame.drawCount, frame.vertices,
                 frame.vertexCount) != 0)
    webjs_present();
  webPublishSummary();
  webGlStartFrame();
  webjs_wait_for_frame();
  return true;
}
