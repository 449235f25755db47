// Most parabolas are far above the envelope over most of the scan. The scan is split in
// halves again and again; over a stretch of samples every parabola's height lies between
// bounds that follow from its exact shape, (x - a.x)² / (2 (a.y - y)) + (a.y + y) / 2 with
// y the sweep line, widened by the most that the rounding of the evaluated formula can add.
// A parabola whose lower bound lies above some parabola's upper bound cannot be lowest, or
// equally low, at any sample of the stretch, so it is dropped there. Where one parabola is
// left, or the stretch is short, the remaining ones are evaluated at every sample by the
// formula itself, in position order with the lower position kept on equal heights: so the
// winner and its height are those of evaluating them all.
#include "sweep/lower_envelope.h"

#include <cmath>

#include "sweep/frame_values.h"
#include "sweep/parabola.h"

namespace {

double samples[SCAN_SAMPLES];
bool samplesReady = false;

void computeSamples() {
  int n = 0;
  for (double x = -300.0; x <= 1012.0 && n < SCAN_SAMPLES; x = x + 0.1) samples[n++] = x;
  samplesReady = true;
}

constexpr double U = 1.0 / 9007199254740992.0;  // 2^-53, the unit roundoff

// Per active position: the parabola's focus and the values its bounds need.
double focusX[SITE_TABLE_SIZE];
double focusY[SITE_TABLE_SIZE];
double inverseWidth[SITE_TABLE_SIZE];  // 1 / (2 (a.y - y))
double vertex[SITE_TABLE_SIZE];        // (a.y + y) / 2, the lowest height
double fixedError[SITE_TABLE_SIZE];    // rounding allowance independent of x
double spreadError[SITE_TABLE_SIZE];   // rounding allowance per squared distance from a.x

// Rounding of the evaluated formula at distance d from a.x is at most
// (5 u d² + 2 u (a.y² + y²)) / (2 (a.y - y)) + 2 u |height|; the bounds themselves are
// rounded by about as much again. The allowances below are four times that.
void prepare(int count) {
  const double y = sweepY;
  for (int k = 1; k <= count; ++k) {
    const double ay = activeSites[k].y;
    focusX[k] = activeSites[k].x;
    focusY[k] = ay;
    const double width = (ay - y) * 2;
    inverseWidth[k] = 1.0 / width;
    vertex[k] = (ay + y) * 0.5;
    fixedError[k] = 8.0 * U * ((ay * ay + y * y) * inverseWidth[k]) + 4.0 * U * std::fabs(vertex[k]);
    spreadError[k] = 40.0 * U * inverseWidth[k];
  }
}

bool boundsApply(int count) {
  for (int k = 1; k <= count; ++k) {
    const double width = (focusY[k] - sweepY) * 2;
    if (!(width > 0.0) || !std::isfinite(width) || !std::isfinite(focusX[k])) return false;
  }
  return true;
}

constexpr int LEAF = 16;
constexpr int LEVELS = 24;
int kept[LEVELS][SITE_TABLE_SIZE];

int* winnerOut;
double* heightOut;

void evaluate(int lo, int hi, const int* candidates, int count) {
  for (int s = lo; s < hi; ++s) {
    const double x = samples[s];
    int best = candidates[0];
    double lowest = parabolaHeight(activeSites[best], x);
    for (int c = 1; c < count; ++c) {
      const int k = candidates[c];
      const double h = parabolaHeight(activeSites[k], x);
      if (h < lowest) {
        lowest = h;
        best = k;
      }
    }
    winnerOut[s] = best;
    heightOut[s] = lowest;
  }
}

void refine(int lo, int hi, const int* candidates, int count, int level) {
  const double xa = samples[lo];
  const double xb = samples[hi - 1];
  double lower[SITE_TABLE_SIZE];
  double threshold = INFINITY;
  for (int c = 0; c < count; ++c) {
    const int k = candidates[c];
    const double left = xa - focusX[k];
    const double right = xb - focusX[k];
    const double near = left > 0.0 ? left : right < 0.0 ? -right : 0.0;
    const double far = std::fmax(-left, right);
    const double lowQ = near * near * inverseWidth[k] + vertex[k];
    const double highQ = far * far * inverseWidth[k] + vertex[k];
    const double error = spreadError[k] * (far * far) + fixedError[k] +
                         16.0 * U * std::fmax(std::fabs(lowQ), std::fabs(highQ));
    lower[c] = lowQ - error;
    const double upper = highQ + error;
    if (upper < threshold) threshold = upper;
  }
  int* next = kept[level];
  int n = 0;
  for (int c = 0; c < count; ++c)
    if (!(lower[c] > threshold)) next[n++] = candidates[c];
  if (n == 1 || hi - lo <= LEAF || level + 1 == LEVELS) {
    evaluate(lo, hi, next, n);
    return;
  }
  const int mid = lo + (hi - lo) / 2;
  refine(lo, mid, next, n, level + 1);
  refine(mid, hi, next, n, level + 1);
}

}  // namespace

const double* scanPositions() {
  if (!samplesReady) computeSamples();
  return samples;
}

void findLowerEnvelope(int* winner, double* height) {
  if (!samplesReady) computeSamples();
  winnerOut = winner;
  heightOut = height;
  int all[SITE_TABLE_SIZE];
  for (int k = 1; k <= activeCount; ++k) all[k - 1] = k;
  prepare(activeCount);
  if (!boundsApply(activeCount)) {
    evaluate(0, SCAN_SAMPLES, all, activeCount);
    return;
  }
  refine(0, SCAN_SAMPLES, all, activeCount, 0);
}
