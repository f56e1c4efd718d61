// The page has one thread: it has no crew, and every part of a job is done in one band on the
// caller.
#include "platform/row_bands.h"

std::int32_t ProcessorRowThreads() {
  return 1;
}

void StartRowCrew(std::int32_t) {}

void StopRowCrew() {}

void ForRowBands(const RowPart* parts, std::int32_t partCount) {
  for (std::int32_t i = 0; i < partCount; ++i) {
    parts[i].work(0, parts[i].rows);
  }
}

void ForRowBands(std::int32_t rows, const RowWork& work) {
  work(0, rows);
}
