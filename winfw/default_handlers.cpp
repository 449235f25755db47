// The handlers every open installs: the reshape that maps window pixels one to one, and
// the Escape entry that ends the program.
#include <GL/gl.h>

#include "winfw/state.h"
#include "winfw/window.h"

void wfDefaultReshape(int32_t width, int32_t height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void wfExitOnEscape() {
  if (wfWindow != nullptr) DestroyWindow(wfWindow);
  ExitProcess(0);
}
