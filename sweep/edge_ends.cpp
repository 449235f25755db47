// One Voronoi vertex recorded as an end of the edge between sites p and q. The two
// orientations [p][q] and [q][p] hold the edge's two ends; the counts say which are set.
#include "sweep/circle_event_parts.h"

namespace {
bool differs(const Site& s, const Site& v) { return s.x != v.x || s.y != v.y; }
}  // namespace

void recordEdgeEnd(int p, int q, const Site& v) {
  if (edgeEndCount[p][q] == 0 && differs(edgeEnds[q][p], v)) {
    edgeEnds[p][q] = v;
    edgeEndCount[p][q] = edgeEndCount[p][q] + 1;
  } else if (differs(edgeEnds[p][q], v)) {
    // A vertex other than the first: the other end. Found again, it is written again and
    // counted again; a third vertex replaces it.
    edgeEnds[q][p] = v;
    edgeEndCount[q][p] = edgeEndCount[q][p] + 1;
  }
}
