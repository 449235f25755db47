#include "app/handlers.h"

#include <GL/gl.h>

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

void onLeftArrow() { runCounter = runCounter + 5; }

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
