// Until the window and its event loop exist, the program says so plainly.
#include <cstdio>

int main() {
  std::fprintf(stderr,
               "voronoi-sweep: the window is not built yet; run `make test` to check the "
               "parts that are.\n");
  return 1;
}
