// The calls both GL layers refuse (platform/gl_calls.h), as sequences played into either
// layer: the X11 driver's batching (tests/x11/gl_refusals_test.cpp) and the browser's subset
// (tests/web/gl_refusals_test.cpp) must each draw what the sequence's row says, which is what
// OpenGL 1.1 draws. Each runner tells what its layer drew in one form:
//   "clear R G B"                   a clear in that colour (8-bit), after which nothing
//                                   drawn before it counts
//   "point X Y size S colour R G B" a point at the window pixel (X, Y)
//   "line width W"                  a line (the rows' lines are horizontal)
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

struct RefusalCase {
  const char* name;
  void (*play)();
  std::vector<std::string> drawn;
};

namespace refusal {

// Every row starts from the same state: object coordinates are window pixels of a 100 x 100
// window, sizes 1, white, a black clear colour.
inline void startRow() {
  glViewport(0, 0, 100, 100);
  glMatrixMode(GL_PROJECTION); glLoadIdentity(); glOrtho(0, 100, 0, 100, -1, 1);
  glMatrixMode(GL_MODELVIEW); glLoadIdentity();
  glPointSize(1); glLineWidth(1); glColor3d(1, 1, 1); glClearColor(0, 0, 0, 1);
}

// A quarter past the pixel: the same pixel for odd and even sizes.
inline void vertex(int x, int y) { glVertex3d(x + 0.25, y + 0.25, 0); }
inline void point(int x, int y) { glBegin(GL_POINTS); vertex(x, y); glEnd(); }
inline void line(int y) { glBegin(GL_LINES); vertex(10, y); vertex(60, y); glEnd(); }

inline const std::vector<RefusalCase>& cases() {
  static const std::vector<RefusalCase> rows = {
      {"sizes between begin and end",
       [] {
         glBegin(GL_POINTS); glPointSize(5); vertex(10, 10); glEnd();
         point(20, 20);
         glBegin(GL_LINES); glLineWidth(3); vertex(10, 50); vertex(60, 50); glEnd();
         line(70);
       },
       {"point 10 10 size 1 colour 255 255 255", "point 20 20 size 1 colour 255 255 255",
        "line width 1", "line width 1"}},
      {"sizes of zero or less",
       [] {
         glPointSize(3); glPointSize(0); glPointSize(-2); point(10, 10);
         glLineWidth(2); glLineWidth(0); line(50);
       },
       {"point 10 10 size 3 colour 255 255 255", "line width 2"}},
      {"a nested begin: the open primitive goes on",
       [] {
         glBegin(GL_POINTS); vertex(10, 10);
         glBegin(GL_LINES); vertex(20, 20); vertex(30, 30); glEnd();
       },
       {"point 10 10 size 1 colour 255 255 255", "point 20 20 size 1 colour 255 255 255",
        "point 30 30 size 1 colour 255 255 255"}},
      {"an end without a begin, a vertex outside",
       [] { glEnd(); vertex(40, 40); point(10, 10); glEnd(); vertex(50, 50); },
       {"point 10 10 size 1 colour 255 255 255"}},
      {"state between begin and end",
       [] {
         glClearColor(1, 0, 0, 1);
         glBegin(GL_POINTS);
         glClearColor(0, 1, 0, 1); glClear(GL_COLOR_BUFFER_BIT); glClearIndex(1);
         glDrawBuffer(GL_FRONT); glViewport(0, 0, 50, 50); glMatrixMode(GL_PROJECTION);
         glLoadIdentity(); glOrtho(0, 200, 0, 200, -1, 1);
         vertex(10, 10);
         glEnd();
         point(15, 15); glClear(GL_COLOR_BUFFER_BIT); point(20, 20);
         glLoadIdentity();  // the modelview matrix, still current: an identity again
         point(30, 30);
       },
       {"clear 255 0 0", "point 20 20 size 1 colour 255 255 255",
        "point 30 30 size 1 colour 255 255 255"}},
      {"colours between begin and end are taken",
       [] {
         glBegin(GL_POINTS); glColor3d(1, 0, 0); vertex(10, 10); glColor3d(0, 0, 1);
         vertex(20, 20); glEnd();
         glColor3d(1, 0, 0); glColor3d(1, 0, 0); point(30, 30);
       },
       {"point 10 10 size 1 colour 255 0 0", "point 20 20 size 1 colour 0 0 255",
        "point 30 30 size 1 colour 255 0 0"}},
  };
  return rows;
}

}  // namespace refusal
