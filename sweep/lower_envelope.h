// The lower envelope of the active sites' parabolas at every sample of the beach-line scan:
// which parabola is lowest and how high it is there, exactly as evaluating every parabola at
// every sample gives them (the lower position in activeSites on equal heights).
#pragma once

// -300.0 and then running sums of 0.1 while at most 1012.0.
constexpr int SCAN_SAMPLES = 13120;
const double* scanPositions();

// For activeSites[1 .. activeCount] (at least one) and the sweep line at sweepY: winner[s] is
// the position of the lowest parabola at sample s, height[s] its height.
void findLowerEnvelope(int* winner, double* height);
