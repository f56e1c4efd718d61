#include "app/frame_pacing.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(FramePacing, TrustsARefreshThatWaitedAndOtherwiseKeepsSixtyFramesASecond) {
  constexpr std::uint64_t kStartUs = 5000000;
  struct Case {
    bool displayPaces;
    std::uint64_t elapsedUs;  // from the frame's start to the end of its present
    std::uint64_t waitUs;     // from then to the next frame
  };
  const Case cases[] = {
      {true, 16600, 0},                    // a 60 Hz refresh
      {true, 6900, 0},                     // a 144 Hz refresh
      {true, 700, kFramePeriodUs - 700},   // one that returned at once: paced here
      {false, 700, kFramePeriodUs - 700},  //
      {false, 0, kFramePeriodUs},          //
      {false, kFramePeriodUs, 0},          // on time
      {false, 50000, 0},                   // late: the schedule moves, no burst follows
  };
  for (const Case& c : cases) {
    const std::uint64_t nowUs = kStartUs + c.elapsedUs;
    EXPECT_EQ(NextFrameDueUs(kStartUs, nowUs, c.displayPaces) - nowUs, c.waitUs)
        << "paces " << c.displayPaces << ", " << c.elapsedUs << " us";
  }
}

}  // namespace
