// Linked into the test build of the page only, in place of the web GL layer's empty
// watchers: folds every call the layer receives into the GL call digest, over the sweep's
// frames (from the first frame after the Left arrow to the frame that takes the line to 0
// or below), and puts the result on the page as `Module.glDigest` for the harness to read,
// with the colours the sweep drew in (for the page's legend). Frames drawn before the Left
// arrow start the digest again, so the result does not depend on how many came first.
#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/scene.h"
#include "platform/web/web_gl.h"
#include "tests/support/gl_digest.h"

namespace {

uint64_t digest = gldigest::kStart;
uint32_t calls = 0;
uint32_t frames = 0;
bool finished = false;
std::vector<std::array<double, 3>> colours;  // each one once

}  // namespace

void webGlObserveCall(GlCall op, uint32_t e, double a0, double a1, double a2, double a3,
                      double a4, double a5) {
  if (finished) return;
  const uint64_t header = (static_cast<uint64_t>(e) << 8) | static_cast<uint64_t>(op);
  digest = gldigest::fold(digest, header, a0, a1, a2, a3, a4, a5);
  ++calls;
  if (op != GlCall::Color3d) return;
  const std::array<double, 3> colour{a0, a1, a2};
  if (std::find(colours.begin(), colours.end(), colour) == colours.end()) colours.push_back(colour);
}

void webGlObserveSwap() {
  if (finished) return;
  if (runCounter == 0) {
    digest = gldigest::kStart;
    calls = 0;
    return;
  }
  ++frames;
  if (sweepY > 0.0) return;
  finished = true;
  // (No object literal: its commas would split the macro's argument.)
  EM_ASM({
    Module.glDigest = new Object();
    Module.glDigest.digest = UTF8ToString($0);
    Module.glDigest.calls = $1;
    Module.glDigest.frames = $2;
    Module.glDigest.colours = [];
  }, std::to_string(digest).c_str(), calls, frames);
  for (const auto& c : colours)
    EM_ASM({ Module.glDigest.colours.push([$0, $1, $2]); }, c[0], c[1], c[2]);
}
