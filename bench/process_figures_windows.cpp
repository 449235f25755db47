#include <windows.h>

#include "bench/process_figures.h"

// The Windows build reports frame times and processor time only.
long anonymousResidentKb() { return -1; }

double processorSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0.0;
  const auto seconds = [](const FILETIME& t) {
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

bool setPointCulling(bool) { return false; }

long long pointsLeftOut() { return -1; }
