// No frame allocates: every allocation through operator new is counted while whole sweeps
// run, after their first frame, with presses while the line runs. This binary replaces the
// global operator new and delete, so it holds no other test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

#include "app/handlers.h"
#include "app/scene.h"
#include "platform/testing.h"
#include "sweep/draw_frame.h"
#include "tests/support/gl_recorder.h"
#include "tests/sweep/scene_script.h"
#include "winfw/state.h"

namespace {
bool counting = false;
long allocations = 0;

void* allocate(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (counting) ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

void press(int x, int y) {
  WfEvent event{WF_MOUSE_PRESS, x, windowHeight - y, 0, WF_BUTTON_LEFT};
  onMouseDown(&event);
}

// Runs the scene's presses and frames through the frame routine alone; counts the
// allocations of every frame but the first, and of the presses between them.
long allocationsOfASweep(const SceneScript& scene) {
  restoreSceneStartValues();
  wfRestoreInitialState();
  platformtest::resetHeadless();
  glrec::reset();
  glrec::setDigesting(true);  // folds calls into a digest, stores nothing
  onReshape(scene.windowWidth, scene.windowHeight);
  allocations = 0;
  int framesPast = 0;
  for (int frame = 0; framesPast < 3 && frame < 20000; ++frame) {
    for (const ScriptedAction& a : scene.actions) {
      if (a.frame != frame) continue;
      if (a.kind == ScriptedAction::AddSite) press(a.x, a.y);
      if (a.kind == ScriptedAction::AddSiteNearLine) press(a.x, static_cast<int>(sweepY) + a.y);
      if (a.kind == ScriptedAction::LeftArrow) onLeftArrow();
      if (a.kind == ScriptedAction::RightArrow) onRightArrow();
    }
    counting = frame > 0;
    drawFrame();
    counting = false;
    if (sweepY <= 0.0) ++framesPast;
  }
  glrec::reset();
  return allocations;
}

TEST(NoAllocation, NoFrameAfterTheFirstAllocates) {
  std::vector<SceneScript> scenes = {randomScene(77, 199), randomScene(78, 60, 300)};
  SceneScript late = randomScene(79, 12);
  late.name = "presses on the line while it runs";
  for (int f = 20; f < 700; f += 23) addSiteNearLine(&late, f, f, f % 3);
  scenes.push_back(late);
  for (const SceneScript& scene : scenes) EXPECT_EQ(allocationsOfASweep(scene), 0) << scene.name;

  // The count is live: an allocation while counting is seen.
  allocations = 0;
  counting = true;
  delete new int(5);
  counting = false;
  EXPECT_EQ(allocations, 1);
}

}  // namespace
