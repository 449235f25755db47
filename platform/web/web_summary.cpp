// The page learns what the program shows from the program's own summary, frame by frame,
// so that the canvas's name and the announcements always match the picture just shown.
// Passed as separate numbers: no record layout to keep in step with the page's script.
#include "platform/web/web_summary.h"

#include "platform/program_summary.h"
#include "platform/web/web_imports.h"

void webPublishSummary() {
  ProgramSummary s;
  if (!platformReadSummary(&s)) return;
  webjs_summary(s.sites, s.siteLimit, s.lastSiteX, s.lastSiteY, s.sweepStarted, s.sweepRow,
                s.windowRows, s.finished, s.delaunayOn, s.delaunayShown);
}
