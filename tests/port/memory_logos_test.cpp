// The logos in memory: decoding the bitmaps built into the program, and copying them.
#include <gtest/gtest.h>

#include <vector>

#include "platform/display.h"
#include "platform/logo_surfaces.h"
#include "software/bitmap_decoder.h"
#include "software/embedded_files.h"
#include "software/memory_frame.h"
#include "state/app_state.h"

namespace {

// A 2 x 2 BMP: rows of 6 pixel bytes padded to 8, bottom row first when `height` is positive.
std::vector<std::uint8_t> TinyBitmap(std::int32_t height) {
  std::vector<std::uint8_t> file(54 + 16, 0);
  file[0] = 'B';
  file[1] = 'M';
  file[10] = 54;
  file[18] = 2;
  for (int i = 0; i < 4; ++i) {
    file[22 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(height) >> (8 * i));
  }
  file[28] = 24;
  // Stored row 0: blue, green; stored row 1: red, white (bytes are blue, green, red).
  const std::uint8_t pixels[] = {255, 0, 0,   0,   255, 0,   0xEE, 0xEE,
                                 0,   0, 255, 255, 255, 255, 0xEE, 0xEE};
  std::copy(std::begin(pixels), std::end(pixels), file.begin() + 54);
  return file;
}

TEST(BitmapDecoder, ReadsBottomUpAndTopDownRowsSkippingThePadding) {
  std::uint32_t pixels[4] = {};
  const std::vector<std::uint8_t> bottomUp = TinyBitmap(2);
  ASSERT_TRUE(DecodeBitmap24(bottomUp.data(), bottomUp.size(), 2, 2, pixels));
  EXPECT_EQ(pixels[0], 0x00FF0000u);
  EXPECT_EQ(pixels[1], 0x00FFFFFFu);
  EXPECT_EQ(pixels[2], 0x000000FFu);
  EXPECT_EQ(pixels[3], 0x0000FF00u);
  const std::vector<std::uint8_t> topDown = TinyBitmap(-2);
  ASSERT_TRUE(DecodeBitmap24(topDown.data(), topDown.size(), 2, 2, pixels));
  EXPECT_EQ(pixels[0], 0x000000FFu);
  EXPECT_EQ(pixels[3], 0x00FFFFFFu);
}

TEST(BitmapDecoder, RefusesAnotherSizeDepthOrATruncatedFileWritingNothing) {
  std::uint32_t pixels[4] = {1, 1, 1, 1};
  std::vector<std::uint8_t> file = TinyBitmap(2);
  EXPECT_FALSE(DecodeBitmap24(file.data(), file.size(), 3, 2, pixels));
  EXPECT_FALSE(DecodeBitmap24(file.data(), file.size(), 2, 1, pixels));
  EXPECT_FALSE(DecodeBitmap24(file.data(), file.size() - 1, 2, 2, pixels));
  EXPECT_FALSE(DecodeBitmap24(file.data(), 20, 2, 2, pixels));
  file[10] = 200;  // pixel data said to start past the end
  EXPECT_FALSE(DecodeBitmap24(file.data(), file.size(), 2, 2, pixels));
  file = TinyBitmap(2);
  file[28] = 32;
  EXPECT_FALSE(DecodeBitmap24(file.data(), file.size(), 2, 2, pixels));
  for (const std::uint32_t pixel : pixels) {
    EXPECT_EQ(pixel, 1u);
  }
}

TEST(MemoryLogos, CopyTheEmbeddedBitmapsWhereTheyFitAndNothingElsewhere) {
  app = AppState{};
  ASSERT_TRUE(TakeFrameMemory());
  std::vector<std::uint32_t> large(kLargeLogoWidth * kLargeLogoHeight);
  ASSERT_TRUE(DecodeBitmap24(kLargeLogoFile.bytes, kLargeLogoFile.size, kLargeLogoWidth,
                             kLargeLogoHeight, large.data()));
  CreateLogoSurfaces();
  FillMemoryFrame(0x00123456);
  BlitLogo(Logo::Large, 800 - kLargeLogoWidth, 600 - kLargeLogoHeight);
  const std::uint32_t* frame = LayerView().pixels;
  EXPECT_EQ(frame[599 * 800 + 799], large.back());
  EXPECT_EQ(frame[(600 - kLargeLogoHeight) * 800 + 800 - kLargeLogoWidth], large.front());
  EXPECT_EQ(frame[(600 - kLargeLogoHeight) * 800 + 799 - kLargeLogoWidth], 0x00123456u);
  // A rectangle reaching off the screen copies nothing, like the unclipped display copy.
  FillMemoryFrame(0x00123456);
  BlitLogo(Logo::Small, 700, 10);
  BlitLogo(Logo::Small, 10, 590);
  BlitLogo(Logo::Small, -1, 10);
  for (std::int32_t i = 0; i < screenWidth * screenHeight; ++i) {
    ASSERT_EQ(frame[i], 0x00123456u) << i;
  }
  GiveBackFrameMemory();
}

}  // namespace
