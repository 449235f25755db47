// The beach-line trace: the lower envelope of the active sites' parabolas, sampled every 0.1
// from x = -300 to x = 1012. It draws the beach line in red, flags which active positions own
// a sample (the next frame's beach sites), and at every breakpoint draws a white vertical
// line, leaves a trace mark on the grid and records the two sites as Delaunay neighbours.
#include <GL/gl.h>

#include "sweep/frame_values.h"
#include "sweep/parabola.h"
#include "sweep/steps.h"

namespace {

// Only the first 99 positions are reset: a position of 100 or more keeps its start value 0
// and so always counts as on the beach line.
constexpr int RESET_POSITIONS = 99;

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
  }
  // Every active site is a copy of a site, so both are found; with duplicates the highest
  // site number is the one kept.
  const Site& right = activeSites[winner];
  const Site& left = activeSites[previousWinner];
  int winnerSite = 0;
  int previousSite = 0;
  for (int n = 1; n <= siteCount; ++n) {
    if (sites[n].x == right.x && sites[n].y == right.y) winnerSite = n;
    if (sites[n].x == left.x && sites[n].y == left.y) previousSite = n;
  }
  delaunayAdj[winnerSite][previousSite] = 1;
}

}  // namespace

void traceBeachLine() {
  for (int i = 1; i <= RESET_POSITIONS; ++i) offBeach[i] = 1;
  if (activeCount < 1) return;

  int previousWinner = 0;
  double scanX = -300.0;
  // scanX is a running sum, not -300 + 0.1 k: that gives exactly 13,120 samples.
  while (scanX <= 1012.0) {
    double envelopeY = parabolaHeight(activeSites[1], scanX);
    int winner = 1;
    for (int k = 2; k <= activeCount; ++k) {
      double h = parabolaHeight(activeSites[k], scanX);
      if (h < envelopeY) {  // on a tie the lower position keeps the sample
        envelopeY = h;
        winner = k;
      }
    }
    offBeach[winner] = 0;
    drawSample(scanX, envelopeY);
    if (previousWinner != 0 && winner != 0 && previousWinner != winner)
      handleBreakpoint(scanX, envelopeY, winner, previousWinner);
    previousWinner = winner;
    scanX = scanX + 0.1;
  }
}
