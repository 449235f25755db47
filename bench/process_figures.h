// What the benchmark process reads of itself, where the system tells it.
#pragma once

// Anonymous resident memory (heap, mappings of no file) in kB; -1 where unknown.
long anonymousResidentKb();
// Processor time used so far, user and system, all threads (the renderer's among them).
double processorSeconds();
// The platform's GL layer leaves out points that change no pixel (the X11 driver; the
// Windows build's calls go to the system's OpenGL as they are). Whether it does so now, after
// asking for `on`; the points left out so far, -1 where it leaves none out.
bool setPointCulling(bool on);
long long pointsLeftOut();
