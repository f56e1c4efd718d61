#include "app/frame_pacing.h"

#include <algorithm>

std::uint64_t NextFrameDueUs(std::uint64_t startUs, std::uint64_t nowUs, bool displayPaces) {
  if (displayPaces && nowUs - startUs >= kShortestRefreshUs) {
    return nowUs;
  }
  return std::max(startUs + kFramePeriodUs, nowUs);
}
