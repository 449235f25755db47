// Values that belong to one frame only. The set-up of every computing frame sets them; the
// later steps of the same frame read them. Nothing relies on them between frames.
#pragma once

// Valid entries of activeSites this frame (1-based).
extern int activeCount;
// Valid entries of beachSites this frame (1-based); also sets the size of the sweep step.
extern int beachCount;
// 1 when some site lies less than one pixel above or below the sweep line; slows the sweep.
extern int nearLine;
