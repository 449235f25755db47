// What a run of frames felt like: the figures of the real-GL frame-time table.
#pragma once

#include <string>
#include <vector>

// One refresh of a 60 Hz display: a frame slower than this misses one.
constexpr double REFRESH_MS = 1000.0 / 60.0;

struct FrameSummary {
  int frames = 0;
  double medianMs = 0.0;
  double p95Ms = 0.0;  // nearest rank: the smallest time that 95% of the frames do not exceed
  double p99Ms = 0.0;
  double slowestMs = 0.0;
  int overRefresh = 0;  // frames longer than REFRESH_MS
};

FrameSummary summariseFrames(std::vector<double> frameMs);

// A row of the table: "| label | frames | median | p95 | p99 | slowest | over 16.7 ms |".
std::string tableRow(const std::string& label, const FrameSummary& summary);
