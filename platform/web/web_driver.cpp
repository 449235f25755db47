// The web driver's table: the page's canvas as the window, DOM events as messages, WebGL
// behind the OpenGL subset, the browser's dialog as the message box.
#include "platform/driver.h"
#include "platform/web/web_context.h"
#include "platform/web/web_display.h"
#include "platform/web/web_events.h"
#include "platform/web/web_formats.h"
#include "platform/web/web_message_box.h"
#include "platform/web/web_pointer.h"
#include "platform/web/web_window.h"

namespace {

const PlatformDriver webDriver = {
    "web",
    webConnect,  // a page is a true-colour display: no palette to report
    webDisconnect,
    webSystemMetric,
    webCreateWindow,
    webDestroyWindow,
    webShowWindow,
    webFormatCount,
    webDescribeFormat,
    webSetFormat,
    webCreateContext,
    webMakeCurrent,
    webDeleteContext,
    webSwapBuffers,
    webSetCapture,
    webReleaseCapture,
    webCursorPos,
    webPumpEvents,
    webMessageBox,
};

}  // namespace

const PlatformDriver* platformDefaultDriver() { return &webDriver; }
