// The application's summary reader, kept for the driver that asks (the X11 driver does not
// yet: a desktop screen reader learns nothing of the picture there).
#include "platform/program_summary.h"

namespace {

ProgramSummaryReader summaryReader = nullptr;

}  // namespace

void platformSetSummaryReader(ProgramSummaryReader reader) { summaryReader = reader; }

bool platformReadSummary(ProgramSummary* summary) {
  if (summaryReader == nullptr || summary == nullptr) return false;
  *summary = ProgramSummary{};
  summaryReader(summary);
  return true;
}
