#include "sdl/frame_pacing.h"

std::uint64_t PacingWaitUs(bool vsyncOffered, std::uint64_t sinceFrameStartUs) {
  if (vsyncOffered && sinceFrameStartUs >= kShortestRefreshUs) {
    return 0;
  }
  return sinceFrameStartUs >= kFramePeriodUs ? 0 : kFramePeriodUs - sinceFrameStartUs;
}
