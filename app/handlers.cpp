#include "app/handlers.h"

#include <GL/gl.h>

#include <climits>

#include "app/scene.h"

void onMouseDown(WfEvent* event) {
  lastClickX = event->x;
  lastClickY = event->y;
  // The table holds 199 sites; a press beyond that adds nothing rather than writing past
  // its end. The click position above is still recorded.
  if (siteCount >= MAX_SITES) return;
  sites[siteCount + 1].x = lastClickX;
  sites[siteCount + 1].y = windowHeight - lastClickY;
  siteCount = siteCount + 1;
}

// Only whether the counter is non-zero matters. A key held down for months (auto-repeat at
// 30 presses a second reaches INT_MAX / 5 in about 165 days) would overflow it; once
// another 5 no longer fits, further presses leave it as it is.
void onLeftArrow() {
  if (runCounter <= INT_MAX - 5) runCounter = runCounter + 5;
}

void onRightArrow() { sweepDirection = -sweepDirection; }

void onReshape(int32_t width, int32_t height) {
  windowWidth = width;
  windowHeight = height;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, static_cast<double>(width), 0.0, static_cast<double>(height), -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void registerInputHandlers() {
  wfSetReshapeHandler(onReshape);
  wfAddKeyHandler(WF_KEY_LEFT, onLeftArrow);
  wfAddKeyHandler(WF_KEY_RIGHT, onRightArrow);
  wfAddMouseHandler(WF_BUTTON_LEFT, WF_MOUSE_PRESS, onMouseDown);
}
