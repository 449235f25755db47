// What the window shows, from the scene state: the sites, where the sweep line is, and
// whether the finished diagram and its Delaunay edges are drawn, as the frame routine
// decides it (the diagram once the line is at or below 0, the Delaunay edges then while the
// direction switch is +1).
#include "app/summary.h"

#include "app/scene.h"

void summariseScene(WfSummary* summary) {
  summary->sites = siteCount;
  summary->siteLimit = MAX_SITES;
  if (siteCount > 0) {
    summary->lastSiteX = static_cast<int32_t>(sites[siteCount].x);
    summary->lastSiteY = windowHeight - static_cast<int32_t>(sites[siteCount].y);
  }
  summary->sweepStarted = runCounter != 0 ? 1 : 0;
  // The line goes on down below the window for as long as the program runs: far below it,
  // the row is only "below".
  const double row = windowHeight - sweepY;
  summary->sweepRow = row < 1e9 ? static_cast<int32_t>(row) : 1000000000;
  summary->windowRows = windowHeight;
  summary->finished = runCounter != 0 && sweepY <= 0.0 ? 1 : 0;
  summary->delaunayOn = sweepDirection == 1 ? 1 : 0;
  summary->delaunayShown = summary->finished != 0 && summary->delaunayOn != 0 ? 1 : 0;
}
