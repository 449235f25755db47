// The Linux build's GL call digest of a sweep, for the browser test to compare with the
// page's: the sites pressed at the given client pixels of a 985 x 730 window, the Left
// arrow, then the frames from the first after it to the one that takes the line to 0 or
// below, their calls folded by the recorder. Prints "<digest> <calls> <frames>".
//
//   linux-gl-digest x1 y1 x2 y2 ...     (client pixels, y downwards, as clicked)
#include <cstdio>
#include <cstdlib>

#include "app/handlers.h"
#include "app/scene.h"
#include "sweep/draw_frame.h"
#include "tests/support/gl_recorder.h"

int main(int argc, char** argv) {
  if (argc % 2 != 1) {
    std::fprintf(stderr, "usage: linux-gl-digest x1 y1 x2 y2 ...\n");
    return 2;
  }
  onReshape(985, 730);
  for (int i = 1; i + 1 < argc; i += 2) {
    WfEvent press{WF_MOUSE_PRESS, std::atoi(argv[i]), std::atoi(argv[i + 1]), 0, WF_BUTTON_LEFT};
    onMouseDown(&press);
  }
  onLeftArrow();
  glrec::setDigesting(true);
  glrec::restartDigest();
  int frames = 0;
  do {
    drawFrame();
    ++frames;
  } while (sweepY > 0.0);
  std::printf("%llu %zu %d\n", static_cast<unsigned long long>(glrec::digest()),
              glrec::digestedCount(), frames);
  return 0;
}
