// The X11 driver's table: Xlib windows and events, GLX formats and contexts, SDL2 message
// boxes.
#include "platform/driver.h"
#include "platform/x11/x11_context.h"
#include "platform/x11/x11_display.h"
#include "platform/x11/x11_events.h"
#include "platform/x11/x11_formats.h"
#include "platform/x11/x11_heap.h"
#include "platform/x11/x11_message_box.h"
#include "platform/x11/x11_metrics.h"
#include "platform/x11/x11_pointer.h"
#include "platform/x11/x11_window.h"

namespace {

bool connect() {
  if (!x11Connect()) return false;
  // Before the pixel formats are listed, which loads the OpenGL driver.
  x11KeepHeapForFrames();
  platformNotifyPaletteDevice(x11IsPaletteDisplay());
  return true;
}

void disconnect() {
  x11ForgetFrameExtents();
  x11Disconnect();
}

int formatCount() { return x11Display() != nullptr ? x11FormatCount() : 0; }

bool describeFormat(int number, PIXELFORMATDESCRIPTOR* descriptor) {
  const X11Format* format = x11Display() != nullptr ? x11FormatAt(number) : nullptr;
  if (format == nullptr || descriptor == nullptr) return false;
  *descriptor = format->descriptor;
  return true;
}

const PlatformDriver x11Driver = {
    "x11",
    connect,
    disconnect,
    x11SystemMetric,
    x11CreateWindow,
    x11DestroyWindow,
    x11ShowWindow,
    formatCount,
    describeFormat,
    x11SetFormat,
    x11CreateContext,
    x11MakeCurrent,
    x11DeleteContext,
    x11SwapBuffers,
    x11SetCapture,
    x11ReleaseCapture,
    x11CursorPos,
    x11PumpEvents,
    x11MessageBox,
};

}  // namespace

const PlatformDriver* platformDefaultDriver() { return &x11Driver; }
