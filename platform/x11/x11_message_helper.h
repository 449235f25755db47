// The message-box helper program, voronoi-sweep-message: where it is and how it is started.
#pragma once

#include <sys/types.h>

#include <string>

// The helper that belongs to the program at `executable`: the first executable file of
//   <its directory>/../libexec/voronoi-sweep/voronoi-sweep-message   (installed: bin/, libexec/)
//   <its directory>/voronoi-sweep-message                            (the build tree)
// Empty when there is none.
std::string x11FindMessageHelper(const std::string& executable);

// The helper of the running process (its own path from /proc/self/exe), unless a test has
// named one with x11UseMessageHelper. Empty when there is none.
std::string x11MessageHelper();
// For tests: take this path as the helper whether or not it exists; null looks it up again.
void x11UseMessageHelper(const char* path);

// Starts the helper with the caption, the text and the icon kind as its three arguments
// (argv, no shell), its standard output on outputFd and no other descriptor of ours; the
// child's id, or -1 when it could not be started (no such program, not executable, ...).
pid_t x11StartMessageHelper(const std::string& helper, const char* caption, const char* text,
                            const char* kind, int outputFd);
