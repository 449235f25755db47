// The whole state of the application: fixed-size global tables and scalars that live for
// the run, are never reallocated and never reset. The sweep happens once per run, and
// everything it records (vertices, edge ends, neighbours, grid marks) accumulates.
//
// Site tables and per-site flag tables are used 1-based (entry 0 is never used). Pair
// tables are [row][column] by site number; the grid is [x][y] by whole pixel.
#pragma once

// One point in window pixels, origin at the bottom-left of the client area, y upwards.
struct Site {
  double x;
  double y;
};

constexpr int SITE_TABLE_SIZE = 200;          // so at most 199 sites
constexpr int MAX_SITES = SITE_TABLE_SIZE - 1;
constexpr int GRID_SIZE = 912;                // the grid is fixed whatever the window size

constexpr int START_WINDOW_SIZE = 912;
constexpr int START_SWEEP_DIRECTION = -1;
constexpr double START_SWEEP_Y = 750.0;

extern int windowWidth;
extern int windowHeight;
extern int lastClickX;
extern int lastClickY;
extern int siteCount;
extern Site sites[SITE_TABLE_SIZE];
extern int runCounter;
extern int sweepDirection;
extern double sweepY;
extern Site activeSites[SITE_TABLE_SIZE];
extern int offBeach[SITE_TABLE_SIZE];
extern Site beachSites[SITE_TABLE_SIZE];
extern int insideFlag;
extern Site edgeEnds[SITE_TABLE_SIZE][SITE_TABLE_SIZE];
extern int edgeEndCount[SITE_TABLE_SIZE][SITE_TABLE_SIZE];
extern int delaunayAdj[SITE_TABLE_SIZE][SITE_TABLE_SIZE];
extern int traceRaster[GRID_SIZE][GRID_SIZE];

// Puts every global back to its start value. The program never calls it (nothing is reset
// during a run); tests use it to start each scenario from a fresh scene.
void restoreSceneStartValues();
