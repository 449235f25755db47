// GLX contexts are made on the framebuffer configuration of the window's pixel format and
// can only be made current on windows of that same format.
#include "platform/x11/x11_context.h"

#include <GL/glx.h>

#include "platform/x11/x11_display.h"
#include "platform/x11/x11_formats.h"
#include "platform/x11/x11_gl_batch.h"
#include "platform/x11/x11_swap_interval.h"
#include "platform/x11/x11_window.h"

struct DriverContext {
  GLXContext context;
  int formatNumber;
};

DriverContext* x11CreateContext(DriverWindow* window) {
  if (window == nullptr || x11Display() == nullptr) return nullptr;
  const X11Format* format = x11FormatAt(window->formatNumber);
  if (format == nullptr || window->glxWindow == None) return nullptr;
  int renderType = format->rgba ? GLX_RGBA_TYPE : GLX_COLOR_INDEX_TYPE;
  x11TrapErrors();
  // Direct when the implementation can; it falls back to indirect by itself.
  GLXContext context =
      glXCreateNewContext(x11Display(), format->config, renderType, nullptr, True);
  if (x11UntrapErrors() != Success || context == nullptr) {
    if (context != nullptr) glXDestroyContext(x11Display(), context);
    return nullptr;
  }
  return new DriverContext{context, window->formatNumber};
}

bool x11MakeCurrent(DriverWindow* window, DriverContext* context) {
  Display* display = x11Display();
  if (display == nullptr) return false;
  if (window == nullptr && context == nullptr) {
    x11GlBeforeContextChange();
    const bool released = glXMakeContextCurrent(display, None, None, nullptr) == True;
    x11GlContextMadeCurrent(glXGetCurrentContext());
    return released;
  }
  if (window == nullptr || context == nullptr || window->glxWindow == None) return false;
  if (window->formatNumber != context->formatNumber) return false;
  x11GlBeforeContextChange();
  x11TrapErrors();
  Bool made =
      glXMakeContextCurrent(display, window->glxWindow, window->glxWindow, context->context);
  const bool failed = x11UntrapErrors() != Success || made != True;
  // On failure the context current before stays current.
  x11GlContextMadeCurrent(glXGetCurrentContext());
  if (failed) return false;
  // One swap per display refresh: the sweep then moves at the same pace on every machine.
  x11RequestSwapInterval(display, window->glxWindow);
  return true;
}

void x11DeleteContext(DriverContext* context) {
  if (context == nullptr) return;
  Display* display = x11Display();
  if (display != nullptr) {
    // Deleting the current context leaves none current, as the caller expects.
    if (glXGetCurrentContext() == context->context) {
      x11GlBeforeContextChange();
      glXMakeContextCurrent(display, None, None, nullptr);
    }
    x11GlContextDeleted(context->context);
    glXDestroyContext(display, context->context);
  }
  delete context;
}

bool x11SwapBuffers(DriverWindow* window) {
  if (window == nullptr || x11Display() == nullptr || window->glxWindow == None) return false;
  x11GlFlush();  // the frame's collected points and lines are part of it
  glXSwapBuffers(x11Display(), window->glxWindow);
  return true;
}
