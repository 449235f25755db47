// The steps of the frame routine, in the order drawFrame runs them. Each reads and writes the
// scene state (app/scene.h) and the frame's values (sweep/frame_values.h).
#pragma once

#include "app/scene.h"

// Clears to black and draws every site as a red point of size 7.
void clearAndDrawSites();

// Collects the sites strictly above the sweep line into activeSites and sets nearLine.
void selectActiveSites();
// Exchange sort of table[1..n] by x, largest first. The exact exchange order matters: ties
// between equal x are later broken by position.
void sortByXDescending(Site* table, int n);
// Keeps as beachSites the active sites that the previous frame's trace found on the beach.
void chooseBeachSites();

// Circle events of beach-site triples with empty circles, while the sweep line is above 0.
void findCircleEvents();

// Samples the beach line, flags the sites on it, marks and records the breakpoints.
void traceBeachLine();

// Draws the sweep line and lowers it.
void advanceSweep();
// Draws the grid's trace marks (green) and vertex marks (cyan).
void drawMarks();
// Draws the recorded Delaunay neighbours as cyan lines.
void drawDelaunayEdges();
// Draws every Voronoi edge whose two ends are both recorded, as green lines.
void drawVoronoiEdges();
