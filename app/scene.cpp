#include "app/scene.h"

#include <cstring>

int windowWidth = START_WINDOW_SIZE;
int windowHeight = START_WINDOW_SIZE;
int lastClickX = 0;
int lastClickY = 0;
int siteCount = 0;
Site sites[SITE_TABLE_SIZE];
int runCounter = 0;
int sweepDirection = START_SWEEP_DIRECTION;
double sweepY = START_SWEEP_Y;
Site activeSites[SITE_TABLE_SIZE];
int offBeach[SITE_TABLE_SIZE];
Site beachSites[SITE_TABLE_SIZE];
int insideFlag = 1;
Site edgeEnds[SITE_TABLE_SIZE][SITE_TABLE_SIZE];
int edgeEndCount[SITE_TABLE_SIZE][SITE_TABLE_SIZE];
int delaunayAdj[SITE_TABLE_SIZE][SITE_TABLE_SIZE];
int traceRaster[GRID_SIZE][GRID_SIZE];

void restoreSceneStartValues() {
  windowWidth = START_WINDOW_SIZE;
  windowHeight = START_WINDOW_SIZE;
  lastClickX = 0;
  lastClickY = 0;
  siteCount = 0;
  std::memset(sites, 0, sizeof sites);
  runCounter = 0;
  sweepDirection = START_SWEEP_DIRECTION;
  sweepY = START_SWEEP_Y;
  std::memset(activeSites, 0, sizeof activeSites);
  std::memset(offBeach, 0, sizeof offBeach);
  std::memset(beachSites, 0, sizeof beachSites);
  insideFlag = 1;
  std::memset(edgeEnds, 0, sizeof edgeEnds);
  std::memset(edgeEndCount, 0, sizeof edgeEndCount);
  std::memset(delaunayAdj, 0, sizeof delaunayAdj);
  std::memset(traceRaster, 0, sizeof traceRaster);
}
