// The program: one window, the input handlers and the frame routine, then the event loop
// until the window is closed (status 0) or Escape is pressed (status 0 at once).
#include "app/handlers.h"
#include "app/summary.h"
#include "sweep/draw_frame.h"
#include "winfw/winfw.h"

int main() {
  wfSetWindowPosition(0, 0, 985, 730);
  wfSetDisplayMode(WF_DOUBLE | WF_DEPTH16);
  wfOpenWindow("Diagrama Voronogo. Velmarosh k-23");
  wfSetIdleHandler(drawFrame);
  registerInputHandlers();  // after the open, which installs the default reshape handler
  wfSetSummaryReader(summariseScene);
  return wfRunMainLoop(drawFrame);
}
