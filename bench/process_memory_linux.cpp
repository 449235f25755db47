#include "bench/process_memory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
