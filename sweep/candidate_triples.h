// The triples of site positions whose circle may be empty: a superset of the triples that
// the empty-circle test passes, found by exact arithmetic with a margin for the test's
// rounding, so that the circle events need not try every triple of beach sites in every
// frame. Whether a circle is empty depends on the sites alone, so the set only changes when
// a press adds a site, and only by losing triples (a new site can only fall inside a circle)
// or by gaining triples through the new position.
//
// A position joins the set's bookkeeping the first time it appears on the beach line: its
// triples with the positions that joined before it are found then.
#pragma once

#include <cstdint>

struct CandidateTriple {
  int point[3];       // site positions (sitePoint ids), in the order they were found
  unsigned version;   // sitePointsVersion() the verdicts below belong to
  uint8_t known;      // bit per ordering of the three: verdict computed
  uint8_t empty;      // bit per ordering: the empty-circle test passed
};

// Brings the set in step with the site positions and adds the triples of every position in
// points[0 .. count) that has not joined yet. False when the set is not usable (the sites
// are not all on whole pixels in range, or more triples than it can hold): then every
// triple must be tried.
bool joinCandidatePoints(const int* points, int count);

int candidateCount();
CandidateTriple& candidateAt(int i);
