// The exchange sort that orders the active sites by x, largest first. It is not stable;
// later tie-breaks between equal parabolas depend on exactly this order.
#include "sweep/steps.h"

void sortByXDescending(Site* table, int n) {
  for (int i = 1; i <= n - 1; ++i) {
    for (int j = n; j >= i + 1; --j) {
      if (table[i].x < table[j].x) {
        Site held = table[i];
        table[i] = table[j];
        table[j] = held;
      }
    }
  }
}
