// What the program shows, in a few numbers: a read-only summary that the application lets
// the platform read, so that a platform can tell it to someone who cannot see the window
// (the browser's page turns it into the canvas's name and a screen reader's announcements).
// Plain data, the same on every platform; the application decides what it says, so no
// rule of the program has to be written again beside the window system.
#pragma once

#include <cstdint>

struct ProgramSummary {
  int32_t sites;          // sites placed
  int32_t siteLimit;      // the most sites the window takes
  int32_t lastSiteX;      // the latest site, in window pixels from the top left, as clicked
  int32_t lastSiteY;
  int32_t sweepStarted;   // 1 once the sweep has been started
  int32_t sweepRow;       // the sweep line's row from the top of the window (negative above)
  int32_t windowRows;     // the window's height in pixels
  int32_t finished;       // 1 once the line has reached the bottom: the diagram is drawn
  int32_t delaunayOn;     // the switch that shows the Delaunay edges of the finished diagram
  int32_t delaunayShown;  // 1 while the Delaunay edges are drawn
};

// Fills the summary from the program's state; called by the platform whenever it wants to
// know (the browser's driver: at every buffer swap, so that it matches the picture).
typedef void (*ProgramSummaryReader)(ProgramSummary* summary);

#if defined(_WIN32)
// The Windows program has no reader of the summary yet.
inline void platformSetSummaryReader(ProgramSummaryReader) {}
#else
void platformSetSummaryReader(ProgramSummaryReader reader);
// For a driver: the summary as the program gives it now; false when it gives none.
bool platformReadSummary(ProgramSummary* summary);
#endif
