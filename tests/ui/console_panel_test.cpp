#include "ui/console_panel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "doubles/doubles.h"
#include "state/app_state.h"
#include "ui/console_fixture.h"

namespace {

using doubles::PixelAt;

constexpr std::uint32_t kFill = 0xDEADBEEF;  // what the doubles' back buffer starts with
constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::int32_t kOpenTop = 520;

class ConsolePanel : public ConsoleFixture {
 protected:
  // The running frame's pixel part, without the picture.
  static void DrawPanelAt(std::int32_t top) {
    const FrameView frame = LockFrame(FrameLayer::Picture);
    ASSERT_NE(frame.pixels, nullptr);
    app.consoleTop = top;
    LayOutConsole();
    DrawConsolePanel(frame);
    UnlockFrame();
  }

  // Pixel of the fully open console at raster coordinates (x, y).
  static std::uint32_t Panel(std::int32_t x, std::int32_t y) { return PixelAt(x, kOpenTop + y); }

  static bool RowIs(std::int32_t screenY, std::uint32_t colour) {
    for (std::int32_t x = 0; x < screenWidth; ++x) {
      if (PixelAt(x, screenY) != colour) {
        return false;
      }
    }
    return true;
  }
};

TEST(LerpColor, EndsAreTheTwoColoursForEveryByte) {
  for (std::uint32_t k = 0; k < 65536; ++k) {
    const std::uint32_t p = k * 0x9E3779B9u;
    ASSERT_EQ(LerpColor(0x00188B0A, p, 0, 10), 0x00188B0Au);
    ASSERT_EQ(LerpColor(0x00188B0A, p, 10, 10), p);
  }
}

TEST(LerpColor, BytesTruncateTowardZeroAndWrapWithoutCarry) {
  // Blue: 0 + 255 * 1 / 2 = 127; green: 255 - 255 * 1 / 2 = 128 (-127.5 truncates to -127).
  EXPECT_EQ(LerpColor(0x0000FF00, 0x000000FF, 1, 2), 0x0000807Fu);
  // 255 + (0 - 255) * -1 = 510, which wraps to 254 and leaves the next byte alone.
  EXPECT_EQ(LerpColor(0x000000FF, 0x00000000, -1, 1), 0x000000FEu);
  // 16 + 16 * 3 = 64 in the top byte: all four bytes take part.
  EXPECT_EQ(LerpColor(0x10000000, 0x20000000, 3, 1), 0x40000000u);
}

TEST_F(ConsolePanel, HiddenConsoleOnlyAssignsTheLayout) {
  DrawPanelAt(screenHeight);
  EXPECT_EQ(app.consoleLeft, 286);
  EXPECT_EQ(app.fpsRowY, 15);
  EXPECT_EQ(app.playModeRowY, 37);
  EXPECT_EQ(app.modelRowY, 52);
  EXPECT_EQ(doubles::display.memory, std::vector<std::uint32_t>(800 * 600, kFill));
}

TEST_F(ConsolePanel, ColourBandAndWhiteBackground) {
  DrawPanelAt(kOpenTop);
  const std::uint32_t band[] = {0x00B5EE51, 0x00A6E54A, 0x0096DB43, 0x0086D13C, 0x0077C735,
                                0x0067BD2E, 0x0057B327, 0x0048A920, 0x00389F19, 0x00289512};
  for (std::int32_t y = 0; y < 10; ++y) {
    EXPECT_TRUE(RowIs(kOpenTop + y, band[y])) << "band row " << y;
  }
  // Rows that no control reaches, and the parts of rows beside the controls.
  for (std::int32_t y : {10, 16, 27, 36, 50, 51, 66, 67, 68, 79}) {
    EXPECT_TRUE(RowIs(kOpenTop + y, kWhite)) << "row " << y;
  }
  for (std::int32_t y = 10; y < 80; ++y) {
    for (std::int32_t x = 0; x < 278; ++x) {
      ASSERT_EQ(Panel(x, y), kWhite) << x << ", " << y;
    }
    for (std::int32_t x = 622; x < 800; ++x) {
      if (y < 70 || y > 78 || x == 799) {
        ASSERT_EQ(Panel(x, y), kWhite) << x << ", " << y;
      }
    }
  }
}

TEST_F(ConsolePanel, ModelButtonCornersShowTheSelection) {
  app.currentModel = 5;
  DrawPanelAt(kOpenTop);
  for (std::int32_t j = 0; j < kModelCount; ++j) {
    const std::int32_t x0 = 286 + 24 * j;
    const std::int32_t x1 = x0 + 23;
    const bool selected = j == 5;
    EXPECT_EQ(Panel(x0, 52), selected ? 0x006B100Au : 0x0022CC22u) << "button " << j;
    EXPECT_EQ(Panel(x1, 65), selected ? 0x00CB2121u : 0x00074C07u) << "button " << j;
    EXPECT_EQ(Panel(x1, 52), kWhite);  // right dots start at the top row
    EXPECT_EQ(Panel(x0, 65), kWhite);  // left dots at odd rows, 65 among them
  }
  EXPECT_EQ(Panel(308, 65), 0x00074F07u);  // t = 248 beside the bottom-right corner
  EXPECT_EQ(Panel(310, 54), 0x0020C320u);  // t = 19 on button 1's left column
}

TEST_F(ConsolePanel, NeighbouringModelButtonsMeetInACheckerSeam) {
  DrawPanelAt(kOpenTop);
  for (std::int32_t y = 52; y <= 65; ++y) {
    const bool evenRow = (y - 52) % 2 == 0;
    EXPECT_EQ(Panel(286, y) == kWhite, !evenRow) << y;
    EXPECT_EQ(Panel(621, y) == kWhite, evenRow) << y;
    for (std::int32_t j = 0; j + 1 < kModelCount; ++j) {
      const std::int32_t seam = 286 + 24 * j + 23;
      EXPECT_EQ(Panel(seam, y) == kWhite, evenRow) << "seam " << j << " row " << y;
      EXPECT_EQ(Panel(seam + 1, y) == kWhite, !evenRow) << "seam " << j << " row " << y;
    }
  }
}

TEST_F(ConsolePanel, RandomOwnsTheSharedPlayModeColumn) {
  app.playPeriodMs = kDefaultRandomPeriodMs;
  DrawPanelAt(kOpenTop);
  EXPECT_EQ(Panel(286, 37), 0x0022CC22u);  // MANUAL plain
  EXPECT_EQ(Panel(286, 49), 0x00158C15u);  // t = 127 at the bottom-left, row 12 has no left dot
  EXPECT_EQ(Panel(351, 37), 0x006B100Au);  // RANDOM selected, from its first column
  EXPECT_EQ(Panel(351, 49), 0x009B1815u);
  EXPECT_EQ(Panel(415, 49), 0x00CA2121u);
  for (std::int32_t y = 37; y <= 49; ++y) {
    const bool evenRow = (y - 37) % 2 == 0;
    EXPECT_EQ(Panel(351, y) == kWhite, !evenRow) << y;  // white at 38, 40, ..., 48 only
    EXPECT_EQ(Panel(416, y) == kWhite, evenRow) << y;
  }
}

TEST_F(ConsolePanel, ManualModeSelectsTheManualButton) {
  app.playPeriodMs = kManualPeriodMs;
  DrawPanelAt(kOpenTop);
  EXPECT_EQ(Panel(286, 37), 0x006B100Au);
  EXPECT_EQ(Panel(351, 37), 0x0022CC22u);
  EXPECT_EQ(Panel(351, 49), 0x00158C15u);
}

TEST_F(ConsolePanel, FourMarkersPointRight) {
  DrawPanelAt(kOpenTop);
  // c0 ... c4 by digit, E the edge, '.' untouched background.
  const char* const rows[] = {"0E....", "11E...", "222E..", "3333E.", "44444E",
                              "44444E", "3333E.", "222E..", "11E...", "0E...."};
  const std::uint32_t colours[] = {0x00000033, 0x00005577, 0x000088CC, 0x0000AAFF, 0x0000FFFF};
  for (std::int32_t top : {17, 39, 54, 69}) {
    for (std::int32_t r = 0; r < 10; ++r) {
      for (std::int32_t c = 0; c < 6; ++c) {
        const char code = rows[r][c];
        const std::uint32_t expected = code == '.'   ? kWhite
                                       : code == 'E' ? 0x00005577u
                                                     : colours[code - '0'];
        EXPECT_EQ(Panel(278 + c, top + r), expected)
            << "marker " << top << " at " << c << ", " << r;
      }
    }
    EXPECT_EQ(Panel(277, top), kWhite);
    EXPECT_EQ(Panel(284, top + 4), kWhite);
  }
}

TEST_F(ConsolePanel, StripShowsTheFirst512RingEntriesOnEveryRow) {
  DrawPanelAt(kOpenTop);
  for (std::int32_t y = 70; y <= 78; ++y) {
    for (std::int32_t e = 0; e < 512; ++e) {
      ASSERT_EQ(Panel(287 + e, y), app.currentRing[e]) << e << ", " << y;
    }
    EXPECT_EQ(Panel(286, y), kWhite);
    EXPECT_EQ(Panel(799, y), kWhite);
  }
  EXPECT_EQ(Panel(287, 69), kWhite);
  EXPECT_EQ(Panel(798, 79), kWhite);
}

TEST_F(ConsolePanel, GlowTintsTheNineRowsAboveTheConsole) {
  DrawPanelAt(kOpenTop);
  const std::uint32_t glow[] = {0x16269020, 0x2C359537, 0x42449A4E, 0x58539F65, 0x6F62A47C,
                                0x8571A993, 0x9B80AEAA, 0xB18FB3C1, 0xC79EB8D8};
  for (std::int32_t k = 1; k <= 9; ++k) {
    EXPECT_TRUE(RowIs(kOpenTop - k, glow[k - 1])) << "k " << k;
  }
  EXPECT_TRUE(RowIs(510, kFill));
  EXPECT_TRUE(RowIs(0, kFill));
  EXPECT_TRUE(RowIs(kOpenTop, 0x00B5EE51));
  EXPECT_TRUE(RowIs(599, kWhite));
}

TEST_F(ConsolePanel, ConsoleOneRowHighShowsTheBandTop) {
  DrawPanelAt(599);
  EXPECT_TRUE(RowIs(599, 0x00B5EE51));
  EXPECT_TRUE(RowIs(598, 0x16269020));
  EXPECT_TRUE(RowIs(590, 0xC79EB8D8));
  EXPECT_TRUE(RowIs(589, kFill));
}

TEST_F(ConsolePanel, StepsRowsByThePitch) {
  constexpr std::int32_t kPitch = 1024;
  ResetState(kPitch, kFill);
  DrawPanelAt(kOpenTop);
  for (std::int32_t y = 0; y < screenHeight; ++y) {
    for (std::int32_t x = screenWidth; x < kPitch; ++x) {
      ASSERT_EQ(PixelAt(x, y), kFill) << "padding " << x << ", " << y;
    }
  }
  EXPECT_TRUE(RowIs(kOpenTop, 0x00B5EE51));
  EXPECT_TRUE(RowIs(kOpenTop - 1, 0x16269020));
  EXPECT_EQ(PixelAt(287, kOpenTop + 70), app.currentRing[0]);
  EXPECT_EQ(PixelAt(333, kOpenTop + 65), 0x00074C07u);  // button 1, plain
}

TEST_F(ConsolePanel, RebuildsEveryFrame) {
  app.currentModel = 5;
  DrawPanelAt(kOpenTop);
  app.currentModel = 6;
  app.currentRing[0] = 0x00123456;
  DrawPanelAt(kOpenTop);
  EXPECT_EQ(Panel(286 + 24 * 5 + 23, 65), 0x00074C07u);
  EXPECT_EQ(Panel(286 + 24 * 6 + 23, 65), 0x00CB2121u);
  EXPECT_EQ(Panel(287, 74), 0x00123456u);
}

TEST_F(ConsolePanel, ConsoleTopOutsideTheSlideWritesNothing) {
  for (std::int32_t top : {519, 601, -5}) {
    EXPECT_DEBUG_DEATH(DrawPanelAt(top), "kOpenConsoleTop") << top;
    EXPECT_EQ(doubles::display.memory, std::vector<std::uint32_t>(800 * 600, kFill)) << top;
  }
}

TEST_F(ConsolePanel, ButtonsOneRowHighOrWithRowsReversed) {
  DrawPanelAt(screenHeight);
  std::uint32_t* const raster = app.ConsoleRaster;
  raster[0] = raster[1] = raster[2] = raster[800] = 0;
  DrawButton(0, 1, 2, 0, false);  // rows reversed: nothing
  EXPECT_EQ(raster[800], 0u);
  DrawButton(0, 0, 2, 0, false);  // no height: the gradient runs along the row only
  EXPECT_EQ(raster[0], 0x0022CC22u);
  EXPECT_EQ(raster[1], 0x001CAD1Cu);  // t = 63
  EXPECT_EQ(raster[2], kWhite);
}

TEST_F(ConsolePanel, ButtonGradientStepsInDoublePrecisionInTheGivenOrder) {
  DrawPanelAt(screenHeight);
  const std::uint32_t* const raster = app.ConsoleRaster;
  // 3 x (127 / 5) + 2 x (127 / 5) is 126.99999999999999: exact arithmetic would give 127.
  DrawButton(0, 0, 5, 5, false);
  EXPECT_EQ(raster[2 * 800 + 3], 0x00158D15u);  // t = 126
  // 5 x (127 / 6) + 1 x (127 / 6) is 127 in double precision, 126 in single precision.
  DrawButton(0, 0, 6, 6, false);
  EXPECT_EQ(raster[1 * 800 + 5], 0x00158C15u);  // t = 127
}

}  // namespace

// The narrow console, 390 columns: its controls from column 80 to 4 short of the right edge, the
// model buttons 43 wide in rows of 7, the strip squeezing the ring's first 512 entries; a tap
// finds each control where it is drawn (MANUAL, not chosen, answers; RANDOM does not).
TEST_F(ConsolePanel, NarrowConsoleLaysItsControlsOutAcrossItsWidth) {
  constexpr std::int32_t kWidth = 390;
  app.frame.layer = {kWidth, screenHeight, 3};
  std::vector<std::uint32_t> layer(std::size_t{kWidth} * screenHeight, kFill);
  app.consoleTop = kOpenTop;
  LayOutConsole();
  EXPECT_FALSE(ClassicConsole());
  DrawConsoleBand({layer.data(), kWidth, kWidth, screenHeight});
  const auto at = [&](std::int32_t x, std::int32_t y) {
    return layer[static_cast<std::size_t>(kOpenTop + y) * kWidth + static_cast<std::size_t>(x)];
  };
  EXPECT_EQ(at(80, 72), kWhite);
  EXPECT_EQ(at(81, 72), app.currentRing[0]);
  EXPECT_EQ(at(385, 72), app.currentRing[304 * 512 / 305]);
  EXPECT_EQ(at(386, 72), kWhite);

  struct Case {
    std::int32_t x, y;
    ConsoleControlKind kind;
    std::int32_t model;
  };
  const Case cases[] = {
      {81, 37, ConsoleControlKind::ModelButton, 0}, {380, 50, ConsoleControlKind::ModelButton, 6},
      {81, 52, ConsoleControlKind::ModelButton, 7}, {380, 65, ConsoleControlKind::ModelButton, 13},
      {200, 51, ConsoleControlKind::None, 0},       {100, 30, ConsoleControlKind::PlayMode, 0},
      {150, 30, ConsoleControlKind::None, 0},       {20, 25, ConsoleControlKind::PlayMode, 0},
      {300, 75, ConsoleControlKind::ColourRing, 0}, {387, 75, ConsoleControlKind::None, 0},
  };
  for (const Case& c : cases) {
    const ConsoleControl control = ConsoleControlAt(c.x, c.y);
    EXPECT_EQ(control.kind, c.kind) << c.x << ", " << c.y;
    EXPECT_EQ(control.model, c.model) << c.x << ", " << c.y;
  }
}
