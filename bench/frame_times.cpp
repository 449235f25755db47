#include "bench/frame_times.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The nearest-rank percentile of sorted times: the value at rank ceil(share * n).
double nearestRank(const std::vector<double>& sorted, double share) {
  const size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(sorted.size())));
  return sorted[std::max<size_t>(rank, 1) - 1];
}

}  // namespace

FrameSummary summariseFrames(std::vector<double> frameMs) {
  FrameSummary s;
  if (frameMs.empty()) return s;
  std::sort(frameMs.begin(), frameMs.end());
  const size_t n = frameMs.size();
  s.frames = static_cast<int>(n);
  s.medianMs = n % 2 == 1 ? frameMs[n / 2] : (frameMs[n / 2 - 1] + frameMs[n / 2]) / 2.0;
  s.p95Ms = nearestRank(frameMs, 0.95);
  s.p99Ms = nearestRank(frameMs, 0.99);
  s.slowestMs = frameMs.back();
  s.overRefresh = static_cast<int>(frameMs.end() -
                                   std::upper_bound(frameMs.begin(), frameMs.end(), REFRESH_MS));
  return s;
}

std::string tableRow(const std::string& label, const FrameSummary& s) {
  char row[256];
  const double share = s.frames > 0 ? 100.0 * s.overRefresh / s.frames : 0.0;
  std::snprintf(row, sizeof row,
                "| %s | %d | %.1f ms | %.1f ms | %.1f ms | %.1f ms | %d (%.0f%%) |", label.c_str(), s.frames, s.medianMs, s.p95Ms, s.p99Ms, s.slowestMs,
                s.overRefresh, share);
  return row;
}
