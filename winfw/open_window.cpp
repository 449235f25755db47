// Opening the framework window: one attempt, and for a single-buffered mode that fails one
// retry with double buffering (drawing then goes to the front buffer); after success the
// default handlers, the Escape entry and the initial OpenGL state.
#include <GL/gl.h>

#include "winfw/state.h"
#include "winfw/window.h"

bool wfOpenInProgress = false;

namespace {

const char singleBufferWarning[] =
    "Can't initialize a single buffer visual. Will use a double buffer visual instead, only "
    "drawing into the front buffer.";

// A quit message that no loop took (the window was closed while no loop ran) belongs to
// the window that is gone; left in the queue it would end the new window's loop at once.
void discardStaleQuit() {
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void installDefaults() {
  wfReshapeSlot = wfDefaultReshape;
  wfKeySlot = wfDispatchKey;
  wfPressSlot = wfDispatchPress;
  wfReleaseSlot = wfDispatchRelease;
  wfMotionSlot = wfDispatchMotion;
  wfAddKeyHandler(WF_KEY_ESCAPE, wfExitOnEscape);
}

void setInitialGlState(bool frontBuffer) {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearIndex(0.0f);
  glLoadIdentity();
  if (frontBuffer) glDrawBuffer(GL_FRONT);
}

int32_t openWindow(const void* title, bool wide) {
  discardStaleQuit();
  bool frontBuffer = false;
  if (!wfCreateWindow(title, wide)) {
    if (wfRequestedMode & WF_DOUBLE) return 0;
    wfDisplayMode = wfRequestedMode | WF_DOUBLE;
    if (!wfCreateWindow(title, wide)) return 0;
    if (wfErrorBoxes != 0) MessageBoxA(GetFocus(), singleBufferWarning, "Warning", MB_OK);
    wfRequestedMode |= WF_DOUBLE;
    frontBuffer = true;
  }
  installDefaults();
  setInitialGlState(frontBuffer);
  return 1;
}

// Runs an open with the quit message of torn-down attempts held back.
int32_t openGuarded(const void* title, bool wide) {
  wfOpenInProgress = true;
  const int32_t result = openWindow(title, wide);
  wfOpenInProgress = false;
  return result;
}

}  // namespace

int32_t wfOpenWindow(const char* title) { return openGuarded(title, false); }

int32_t wfOpenWindowWide(const WCHAR* title) { return openGuarded(title, true); }
