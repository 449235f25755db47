#include "tests/sweep/lockstep.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <vector>

#include "app/handlers.h"
#include "app/scene.h"
#include "platform/testing.h"
#include "sweep/draw_frame.h"
#include "sweep/frame_values.h"
#include "tests/support/gl_recorder.h"
#include "tests/sweep/literal_frame.h"
#include "winfw/state.h"

namespace {

// Safety stop: no scene may need more frames than this.
constexpr int MAX_FRAMES = 20000;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool samePoint(const Site& a, const literal::Point& b) {
  return sameBits(a.x, b.x) && sameBits(a.y, b.y);
}

void startFresh(const SceneScript& scene) {
  restoreSceneStartValues();
  literal::restoreStartValues();
  wfRestoreInitialState();
  platformtest::resetHeadless();
  glrec::reset();
  onReshape(scene.windowWidth, scene.windowHeight);
  glrec::reset();
}

// A press, key or disturbance, for the production routine and (unless only the production
// runs, before a piece's first frame) for the oracle.
void apply(const ScriptedAction& a, bool toOracle) {
  switch (a.kind) {
    case ScriptedAction::AddSite:
    case ScriptedAction::AddSiteNearLine: {
      int y = a.y;
      if (a.kind == ScriptedAction::AddSiteNearLine) y = static_cast<int>(sweepY) + a.y;
      WfEvent press{WF_MOUSE_PRESS, a.x, windowHeight - y, 0, WF_BUTTON_LEFT};
      onMouseDown(&press);
      if (toOracle) literal::addSite(a.x, y);
      break;
    }
    case ScriptedAction::LeftArrow:
      onLeftArrow();
      if (toOracle) literal::leftArrow();
      break;
    case ScriptedAction::RightArrow:
      onRightArrow();
      if (toOracle) literal::rightArrow();
      break;
    case ScriptedAction::DisturbOracle:
      if (toOracle) literal::scene.sites[1].x = literal::scene.sites[1].x + 1.0;
      break;
  }
}

template <typename T>
void copyTable(const T* from, T* to, size_t count) {
  std::memcpy(to, from, sizeof(T) * count);
}

// The oracle takes over the production routine's whole state.
void handStateToOracle() {
  literal::Scene& r = literal::scene;
  static_assert(sizeof(Site) == sizeof(literal::Point), "the same two doubles");
  r.siteCount = siteCount;
  r.runCounter = runCounter;
  r.sweepDirection = sweepDirection;
  r.sweepY = sweepY;
  r.insideFlag = insideFlag;
  r.activeCount = activeCount;
  r.beachCount = beachCount;
  r.nearLine = nearLine;
  std::memcpy(r.sites, sites, sizeof sites);
  std::memcpy(r.activeSites, activeSites, sizeof activeSites);
  std::memcpy(r.beachSites, beachSites, sizeof beachSites);
  copyTable(offBeach, r.offBeach, SITE_TABLE_SIZE);
  std::memcpy(r.edgeEnds, edgeEnds, sizeof edgeEnds);
  copyTable(&edgeEndCount[0][0], r.edgeEndCount, literal::N * literal::N);
  copyTable(&delaunayAdj[0][0], r.delaunayAdj, literal::N * literal::N);
  copyTable(&traceRaster[0][0], r.traceRaster, literal::G * literal::G);
}

// Actions in frame order; those of one frame in the order they were scripted.
SceneScript inFrameOrder(const SceneScript& script) {
  SceneScript scene = script;
  std::stable_sort(scene.actions.begin(), scene.actions.end(),
                   [](const ScriptedAction& a, const ScriptedAction& b) { return a.frame < b.frame; });
  return scene;
}

// Runs the production routine alone through frames [0, firstFrame), then hands its state to
// the oracle. Returns the index of the next action; counts the frames run at or below 0.
size_t runUpTo(const SceneScript& scene, int firstFrame, int* framesPast) {
  size_t next = 0;
  for (int frame = 0; frame < firstFrame; ++frame) {
    while (next < scene.actions.size() && scene.actions[next].frame == frame)
      apply(scene.actions[next++], false);
    drawFrame();
    if (sweepY <= 0.0) *framesPast = *framesPast + 1;
  }
  if (firstFrame > 0) handStateToOracle();
  return next;
}

std::string at(const SceneScript& scene, int frame) {
  std::ostringstream out;
  out << scene.name << ", frame " << frame << ": ";
  return out.str();
}

// The per-frame values and the small tables, compared after every frame.
std::string compareFrameState() {
  const literal::Scene& r = literal::scene;
  std::ostringstream out;
  if (!sameBits(sweepY, r.sweepY)) out << "sweepY " << sweepY << " vs " << r.sweepY;
  else if (siteCount != r.siteCount) out << "siteCount " << siteCount << " vs " << r.siteCount;
  else if (runCounter != 0 && activeCount != r.activeCount)
    out << "activeCount " << activeCount << " vs " << r.activeCount;
  else if (runCounter != 0 && beachCount != r.beachCount)
    out << "beachCount " << beachCount << " vs " << r.beachCount;
  else if (runCounter != 0 && nearLine != r.nearLine)
    out << "nearLine " << nearLine << " vs " << r.nearLine;
  else if (std::memcmp(offBeach, r.offBeach, sizeof offBeach) != 0) out << "offBeach differs";
  return out.str();
}

// Everything, compared once at the end.
std::string compareFinalState() {
  const literal::Scene& r = literal::scene;
  std::ostringstream out;
  std::string frameState = compareFrameState();
  if (!frameState.empty()) return frameState;
  if (runCounter != r.runCounter) return "runCounter differs";
  if (sweepDirection != r.sweepDirection) return "sweepDirection differs";
  if (insideFlag != r.insideFlag) return "insideFlag differs";
  for (int i = 0; i < SITE_TABLE_SIZE; ++i) {
    if (!samePoint(sites[i], r.sites[i])) out << "sites[" << i << "] differs";
    else if (!samePoint(activeSites[i], r.activeSites[i])) out << "activeSites[" << i << "] differs";
    else if (!samePoint(beachSites[i], r.beachSites[i])) out << "beachSites[" << i << "] differs";
    if (!out.str().empty()) return out.str();
  }
  for (int a = 0; a < SITE_TABLE_SIZE; ++a) {
    for (int b = 0; b < SITE_TABLE_SIZE; ++b) {
      int flat = a * literal::N + b;
      if (!samePoint(edgeEnds[a][b], r.edgeEnds[flat])) out << "edgeEnds";
      else if (edgeEndCount[a][b] != r.edgeEndCount[flat]) out << "edgeEndCount";
      else if (delaunayAdj[a][b] != r.delaunayAdj[flat]) out << "delaunayAdj";
      if (!out.str().empty()) {
        out << "[" << a << "][" << b << "] differs";
        return out.str();
      }
    }
  }
  for (int x = 0; x < GRID_SIZE; ++x)
    for (int y = 0; y < GRID_SIZE; ++y)
      if (traceRaster[x][y] != r.traceRaster[x * literal::G + y]) {
        out << "traceRaster[" << x << "][" << y << "] " << traceRaster[x][y] << " vs "
            << r.traceRaster[x * literal::G + y];
        return out.str();
      }
  return "";
}

// Replays the scene up to `frame` with nothing recorded, then records that frame from both
// sides and names the first call where they part.
std::string firstDifferingCall(const SceneScript& scene, int firstFrame, int frame) {
  startFresh(scene);
  glrec::setStoring(false);
  int framesPast = 0;
  size_t next = runUpTo(scene, firstFrame, &framesPast);
  for (int f = firstFrame; f <= frame; ++f) {
    while (next < scene.actions.size() && scene.actions[next].frame == f)
      apply(scene.actions[next++], true);
    if (f == frame) glrec::setStoring(true);
    drawFrame();
    std::vector<glrec::Call> production = glrec::calls();
    glrec::reset();
    glrec::setStoring(f == frame);
    literal::frame();
    if (f < frame) {
      glrec::setStoring(false);
      continue;
    }
    const std::vector<glrec::Call>& reference = glrec::calls();
    std::ostringstream out;
    size_t n = std::min(production.size(), reference.size());
    for (size_t i = 0; i < n; ++i) {
      if (!glrec::sameCall(production[i], reference[i])) {
        out << "call " << i << " is " << glrec::describe(production[i]) << ", the literal frame makes "
            << glrec::describe(reference[i]);
        return out.str();
      }
    }
    out << production.size() << " calls, the literal frame makes " << reference.size();
    return out.str();
  }
  return "no difference on replay";
}

// What the oracle costs for one frame, roughly, in nanoseconds: the trace's parabolas, the
// empty-circle tests of every beach triple, and the grid scan and calls of every frame.
double oracleFrameCost(int active, int beach, int sites) {
  const double triples = static_cast<double>(beach) * (beach - 1) * (beach - 2) / 6.0;
  return 1.5 * triples * sites + 13120.0 * active + 8e5;
}

}  // namespace

LockstepResult runLockstep(const SceneScript& scene) {
  return runLockstepFrames(scene, 0, MAX_FRAMES);
}

LockstepResult runLockstepFrames(const SceneScript& script, int firstFrame, int endFrame) {
  const SceneScript scene = inFrameOrder(script);
  LockstepResult result;
  startFresh(scene);
  glrec::setDigesting(true);
  int framesPast = 0;
  size_t next = runUpTo(scene, firstFrame, &framesPast);

  bool ended = false;
  for (int frame = firstFrame; frame < std::min(endFrame, MAX_FRAMES); ++frame) {
    while (next < scene.actions.size() && scene.actions[next].frame == frame)
      apply(scene.actions[next++], true);

    const int swapsBefore = platformtest::swapCount();
    glrec::restartDigest();
    drawFrame();
    const uint64_t production = glrec::digest();
    const size_t productionCalls = glrec::digestedCount();
    const int productionSwaps = platformtest::swapCount() - swapsBefore;

    glrec::restartDigest();
    literal::frame();
    const uint64_t reference = glrec::digest();
    const int referenceSwaps = platformtest::swapCount() - swapsBefore - productionSwaps;

    result.frames = result.frames + 1;
    result.glCalls += static_cast<long long>(productionCalls);

    if (production != reference || productionCalls != glrec::digestedCount()) {
      result.same = false;
      result.difference = at(scene, frame) + firstDifferingCall(scene, firstFrame, frame);
      return result;
    }
    if (productionSwaps != 1 || referenceSwaps != 1) {
      result.same = false;
      std::ostringstream out;
      out << "buffer swaps " << productionSwaps << " vs " << referenceSwaps;
      result.difference = at(scene, frame) + out.str();
      return result;
    }
    std::string state = compareFrameState();
    if (!state.empty()) {
      result.same = false;
      result.difference = at(scene, frame) + state;
      return result;
    }
    if (sweepY <= 0.0 && ++framesPast >= scene.framesPastZero) {
      ended = true;
      break;
    }
  }
  std::string state = compareFinalState();
  if (!state.empty()) {
    result.same = false;
    result.difference = scene.name + ", final state: " + state;
  }
  if (endFrame >= MAX_FRAMES && !ended) {
    result.same = false;
    result.difference = scene.name + ": the sweep never reached 0";
  }
  return result;
}

std::vector<int> lockstepPieces(const SceneScript& script, int pieces) {
  const SceneScript scene = inFrameOrder(script);
  startFresh(scene);
  glrec::setDigesting(true);
  std::vector<double> cost;
  size_t next = 0;
  int framesPast = 0;
  for (int frame = 0; frame < MAX_FRAMES; ++frame) {
    while (next < scene.actions.size() && scene.actions[next].frame == frame)
      apply(scene.actions[next++], false);
    drawFrame();
    cost.push_back(runCounter == 0 ? 0.0 : oracleFrameCost(activeCount, beachCount, siteCount));
    if (sweepY <= 0.0 && ++framesPast >= scene.framesPastZero) break;
  }
  double total = 0.0;
  for (double c : cost) total += c;
  std::vector<int> starts{0};
  double sum = 0.0;
  for (size_t frame = 0; frame < cost.size(); ++frame) {
    if (static_cast<int>(starts.size()) < pieces &&
        sum >= total * static_cast<double>(starts.size()) / pieces)
      starts.push_back(static_cast<int>(frame));
    sum += cost[frame];
  }
  return starts;
}
