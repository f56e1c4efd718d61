#include <gtest/gtest.h>

#include "software/frame_fit.h"

namespace {

void ExpectFit(std::int32_t outputWidth, std::int32_t outputHeight, FrameRect expected) {
  const FrameRect fit = FitFrame(outputWidth, outputHeight);
  EXPECT_EQ(fit.x, expected.x) << outputWidth << "x" << outputHeight;
  EXPECT_EQ(fit.y, expected.y) << outputWidth << "x" << outputHeight;
  EXPECT_EQ(fit.width, expected.width) << outputWidth << "x" << outputHeight;
  EXPECT_EQ(fit.height, expected.height) << outputWidth << "x" << outputHeight;
}

TEST(FitFrame, LargestWholeScaleThatFitsCentredOnTheOutput) {
  ExpectFit(800, 600, {0, 0, 800, 600});
  ExpectFit(1920, 1080, {560, 240, 800, 600});  // 2x would need 1200 rows
  ExpectFit(1600, 1200, {0, 0, 1600, 1200});
  ExpectFit(2560, 1440, {480, 120, 1600, 1200});
  ExpectFit(3840, 2160, {720, 180, 2400, 1800});
  ExpectFit(1599, 1199, {399, 299, 800, 600});  // an odd margin leaves the extra pixel right
}

TEST(FitFrame, AnOutputSmallerThanTheFrameShowsItsMiddle) {
  ExpectFit(640, 480, {-80, -60, 800, 600});
  ExpectFit(1024, 500, {112, -50, 800, 600});
}

}  // namespace
