// One frame: the sites; once the sweep has been started, the active and beach sites, the
// circle events, the beach-line trace, the sweep line and its advance, the grid marks and,
// once the line is at or below 0, the finished diagram. Every frame ends with the swap.
#include "sweep/draw_frame.h"

#include "sweep/frame_values.h"
#include "sweep/steps.h"
#include "winfw/winfw.h"

void drawFrame() {
  clearAndDrawSites();
  if (runCounter == 0) {
    wfSwapBuffers();
    return;
  }

  selectActiveSites();
  sortByXDescending(activeSites, activeCount);
  chooseBeachSites();
  findCircleEvents();  // only while the line is above 0
  traceBeachLine();

  advanceSweep();
  drawMarks();
  // From here on sweepY is the lowered height: the frame that takes the line to 0 or below
  // already draws the finished diagram.
  if (sweepY <= 0.0 && sweepDirection == 1) drawDelaunayEdges();
  if (sweepY > 0.0) {
    wfSwapBuffers();
    return;
  }
  drawVoronoiEdges();
  wfSwapBuffers();
}
