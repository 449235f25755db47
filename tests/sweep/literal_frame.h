// A literal, unoptimised transliteration of the frame routine with its own copy of the whole
// scene state. It is the oracle for the production frame routine: run on the same scene,
// both must make the same OpenGL calls, frame by frame, and end in the same state.
#pragma once

namespace literal {

struct Point {
  double x;
  double y;
};

constexpr int N = 200;   // site and pair tables
constexpr int G = 912;   // the grid

// The oracle's own state, with the visualiser's names.
struct Scene {
  int siteCount;
  Point sites[N];
  int runCounter;
  int sweepDirection;
  double sweepY;
  Point activeSites[N];
  int offBeach[N];
  Point beachSites[N];
  int insideFlag;
  Point edgeEnds[N * N];    // [a][b] at a * 200 + b
  int edgeEndCount[N * N];
  int delaunayAdj[N * N];
  int traceRaster[G * G];   // [x][y] at x * 912 + y
  // This frame's values, kept after the frame for comparison.
  int activeCount;
  int beachCount;
  int nearLine;
};

extern Scene scene;

// All start values: sweep line at 750, direction -1, insideFlag 1, everything else 0.
void restoreStartValues();
// What a left-button press adds: a site at (x, y) in bottom-up pixels, if there is room.
void addSite(int x, int y);
// The Left and Right arrows.
void leftArrow();
void rightArrow();
// One call of the frame routine.
void frame();

}  // namespace literal
