// The figures of the real-GL frame-time table.
#include "bench/frame_times.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  std::vector<double> frameMs;
  double median, p95, p99, slowest;
  int overRefresh;
};

TEST(FrameSummary, MedianNearestRankPercentilesAndFramesOverOneRefresh) {
  std::vector<double> hundred;
  for (int i = 100; i >= 1; --i) hundred.push_back(i * 0.25);  // 0.25 .. 25 ms, unsorted
  const Case cases[] = {
      {{7.0}, 7.0, 7.0, 7.0, 7.0, 0},
      {{3.0, 1.0}, 2.0, 3.0, 3.0, 3.0, 0},
      {{16.0, REFRESH_MS, 17.0}, REFRESH_MS, 17.0, 17.0, 17.0, 1},  // one refresh is in time
      {hundred, 12.625, 23.75, 24.75, 25.0, 34},
  };
  for (const Case& c : cases) {
    const FrameSummary s = summariseFrames(c.frameMs);
    EXPECT_EQ(s.frames, static_cast<int>(c.frameMs.size()));
    EXPECT_DOUBLE_EQ(s.medianMs, c.median);
    EXPECT_DOUBLE_EQ(s.p95Ms, c.p95);
    EXPECT_DOUBLE_EQ(s.p99Ms, c.p99);
    EXPECT_DOUBLE_EQ(s.slowestMs, c.slowest);
    EXPECT_EQ(s.overRefresh, c.overRefresh);
  }
  EXPECT_EQ(summariseFrames({}).frames, 0);
}

}  // namespace
