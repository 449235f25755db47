// The beach-line trace: the lower envelope of the active sites' parabolas, sampled every 0.1
// from x = -300 to x = 1012. It draws the beach line in red, flags which active positions own
// a sample (the next frame's beach sites), and at every breakpoint draws a white vertical
// line, leaves a trace mark on the grid and records the two sites as Delaunay neighbours.
#include <GL/gl.h>

#include "sweep/frame_values.h"
#include "sweep/lower_envelope.h"
#include "sweep/mark_index.h"
#include "sweep/site_points.h"
#include "sweep/steps.h"

namespace {

// Only the first 99 positions are reset: a position of 100 or more keeps its start value 0
// and so always counts as on the beach line.
constexpr int RESET_POSITIONS = 99;

int winners[SCAN_SAMPLES];
double heights[SCAN_SAMPLES];

void drawSample(double scanX, double envelopeY) {
  glPointSize(2.0);
  glBegin(GL_POINTS);
  glColor3d(1.0, 0.0, 0.0);
  glVertex3d(scanX, envelopeY, 0.0);
  glEnd();
}

bool insideSquare(double scanX, double envelopeY) {
  return 0.0 < envelopeY && envelopeY < 912.0 && 0.0 < scanX && scanX < 912.0;
}

// The site number of an active site: the highest number of the sites lying there. Every
// active site is a copy of a site, so one is always found.
int siteNumberOf(const Site& s) {
  const int p = findSitePoint(s.x, s.y);
  if (p >= 0) return sitePoint(p).highestSite;
  int number = 0;
  for (int n = 1; n <= siteCount; ++n)
    if (sites[n].x == s.x && sites[n].y == s.y) number = n;
  return number;
}

void handleBreakpoint(double scanX, double envelopeY, int winner, int previousWinner) {
  if (insideSquare(scanX, envelopeY) && sweepY > 0.0) {
    glBegin(GL_LINES);
    glColor3d(1.0, 1.0, 1.0);
    glVertex3d(scanX, 0.0, 0.0);
    glVertex3d(scanX, 912.0, 0.0);
    glEnd();
  }
  if (insideSquare(scanX, envelopeY)) {
    int cx = static_cast<int>(scanX);
    int cy = static_cast<int>(envelopeY);
    if (traceRaster[cx][cy] != 2) traceRaster[cx][cy] = 1;  // a vertex mark stays
    noteMark(cx, cy);
  }
  delaunayAdj[siteNumberOf(activeSites[winner])][siteNumberOf(activeSites[previousWinner])] = 1;
}

}  // namespace

void traceBeachLine() {
  for (int i = 1; i <= RESET_POSITIONS; ++i) offBeach[i] = 1;
  if (activeCount < 1) return;
  updateSitePoints();
  findLowerEnvelope(winners, heights);

  const double* scanX = scanPositions();
  int previousWinner = 0;
  for (int s = 0; s < SCAN_SAMPLES; ++s) {
    const int winner = winners[s];
    offBeach[winner] = 0;
    drawSample(scanX[s], heights[s]);
    if (previousWinner != 0 && previousWinner != winner)
      handleBreakpoint(scanX[s], heights[s], winner, previousWinner);
    previousWinner = winner;
  }
}
