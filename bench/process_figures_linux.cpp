#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/process_figures.h"
#include "platform/x11/x11_gl_batch.h"

long anonymousResidentKb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, status) != nullptr)
    if (std::strncmp(line, "RssAnon:", 8) == 0) kb = std::strtol(line + 8, nullptr, 10);
  std::fclose(status);
  return kb;
}

double processorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool setPointCulling(bool on) { return x11SetGlPointCulling(on); }

long long pointsLeftOut() { return static_cast<long long>(x11GlPointsLeftOut()); }
