#include "ui/console_panel.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <initializer_list>

#include "state/app_state.h"
#include "state/frame_view.h"
#include "ui/console_slide.h"

namespace {

// The raster is the open console: app.consoleWidth columns (the screen's width in the classic
// layout), kConsoleHeight rows, no gaps between rows.
constexpr std::uint32_t kRasterRows = kConsoleHeight;
static_assert(kConsoleRasterPixels == std::size_t{screenWidth} * kRasterRows);
constexpr std::int32_t kOpenConsoleTop = screenHeight - static_cast<std::int32_t>(kRasterRows);

// Pixel colours, 0x00RRGGBB.
constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kGlowColour = kConsoleGlowColour;  // also where the band heads
constexpr std::uint32_t kBandTopColour = 0x00B5EE51;       // (181, 238, 81), raster row 0
constexpr std::int32_t kGlowSteps = kConsoleGlowSteps;
constexpr std::int32_t kBandSteps = 10;  // band rows 0 ... 9 go 1/10 of the way each

// Layout, in raster coordinates.
// The controls column starts 514 px from the right edge: 286 at width 800.
constexpr std::int32_t kControlsFromRight = 514;
constexpr std::int32_t kFpsRowY = 15;
constexpr std::int32_t kPlayModeRowY = 37;
constexpr std::int32_t kModelRowY = 52;
constexpr std::uint32_t kMarkerInset = 8;  // markers start 8 columns left of the controls
constexpr std::uint32_t kMarkerDrop = 2;   // and 2 rows below the top of their row
constexpr std::uint32_t kModelButtonRows = 14;
constexpr std::uint32_t kPlayButtonColumns = 66;  // MANUAL's last column is RANDOM's first
constexpr std::uint32_t kPlayButtonRows = 13;
constexpr std::uint32_t kStripTopRow = 70;
constexpr std::uint32_t kStripRows = 9;
constexpr std::uint32_t kStripEntries = 512;  // the first 512 ring entries, one per column
// A tap on a row's label counts as one on its controls: the labels end left of the controls
// column, within this many columns of it.
constexpr std::int32_t kLabelReach = 100;
constexpr std::int32_t kRingLabelY = 67;  // the strip's label starts above the strip

// The narrow layout: the labels' column, then the controls up to a margin from the right edge;
// below the FPS row the play mode, then the model buttons in rows of kNarrowButtonsPerRow, one
// row apart, and the strip where it always is.
constexpr std::int32_t kNarrowControlsLeft = 80;
constexpr std::int32_t kNarrowMargin = 4;
constexpr std::int32_t kNarrowFpsRowY = 12;
constexpr std::int32_t kNarrowPlayModeRowY = 23;
constexpr std::int32_t kNarrowModelRowY = 37;
constexpr std::int32_t kNarrowButtonsPerRow = 7;
constexpr std::int32_t kModelRowStep = static_cast<std::int32_t>(kModelButtonRows) + 1;
static_assert(kNarrowModelRowY + 2 * kModelRowStep <= kRingLabelY, "the rows clear the strip");

// Buttons run diagonally from `from` (top-left) toward `to` (bottom-right).
struct ButtonColours {
  std::uint32_t from;
  std::uint32_t to;
};
constexpr ButtonColours kSelectedButton{0x006B100A, 0x00CC2222};  // dark red to red
constexpr ButtonColours kPlainButton{0x0022CC22, 0x00064B06};     // bright green to dark green
constexpr double kGradientSpan = 127;                             // gradient steps along each axis
constexpr std::int32_t kGradientSteps = 255;  // t = 255 would be `to` itself; corners reach 254

// Marker: row s and row 9 - s hold s + 1 pixels of kMarkerColours[s] and one edge pixel.
constexpr std::uint32_t kMarkerColours[] = {0x00000033, 0x00005577, 0x000088CC, 0x0000AAFF,
                                            0x0000FFFF};
constexpr std::uint32_t kMarkerEdge = 0x00005577;
constexpr std::uint32_t kMarkerHalfRows = 5;
constexpr std::uint32_t kMarkerRows = 2 * kMarkerHalfRows;
constexpr std::uint32_t kMarkerColumns = kMarkerHalfRows + 1;

std::uint32_t RasterWidth() {
  return static_cast<std::uint32_t>(app.consoleWidth);
}

std::uint32_t* RasterRow(std::uint32_t y) {
  return app.ConsoleRaster + std::size_t{y} * RasterWidth();
}

std::uint32_t* ScreenRow(const FrameView& frame, std::int32_t y) {
  return frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch;
}

// Tints the picture rows above the console toward the glow colour, row top - k keeping k / 10 of
// the picture. Weight 0 would fall on row top, which the panel covers, and weight 10 leaves its row
// as it is, so only k = 1 ... 9 show. With top in 520 ... 599 these rows lie on the screen.
void DrawGlow(const FrameView& frame, std::int32_t top) {
  for (std::int32_t k = 1; k < kGlowSteps; ++k) {
    std::uint32_t* row = ScreenRow(frame, top - k);
    for (std::int32_t x = 0; x < screenWidth; ++x) {
      row[x] = LerpColor(kGlowColour, row[x], k, kGlowSteps);
    }
  }
}

void BuildRaster() {
  std::fill_n(app.ConsoleRaster, std::size_t{RasterWidth()} * kRasterRows, kWhite);
  for (std::int32_t i = 0; i < kBandSteps; ++i) {
    const std::uint32_t colour = LerpColor(kBandTopColour, kGlowColour, i, kBandSteps);
    std::fill_n(RasterRow(static_cast<std::uint32_t>(i)), RasterWidth(), colour);
  }

  const auto left = static_cast<std::uint32_t>(app.consoleLeft);
  const auto fpsRow = static_cast<std::uint32_t>(app.fpsRowY);
  const auto modelRow = static_cast<std::uint32_t>(app.modelRowY);
  const auto playRow = static_cast<std::uint32_t>(app.playModeRowY);
  const std::uint32_t markerX = left - kMarkerInset;

  DrawMarker(markerX, fpsRow + kMarkerDrop);
  const auto buttonColumns = static_cast<std::uint32_t>(app.modelButtonColumns);
  for (std::int32_t j = 0; j < kModelCount; ++j) {
    const ConsolePoint origin = ModelButtonOrigin(j);
    const auto x0 = static_cast<std::uint32_t>(origin.x);
    const auto y0 = static_cast<std::uint32_t>(origin.y);
    DrawButton(x0, y0, x0 + buttonColumns - 1, y0 + kModelButtonRows - 1, j == app.currentModel);
  }
  DrawMarker(markerX, modelRow + kMarkerDrop);

  // RANDOM is drawn second and so owns the column the two buttons share.
  const bool random = app.playPeriodMs != kManualPeriodMs;
  const std::uint32_t randomX = left + kPlayButtonColumns - 1;
  DrawButton(left, playRow, randomX, playRow + kPlayButtonRows - 1, !random);
  DrawButton(randomX, playRow, randomX + kPlayButtonColumns - 1, playRow + kPlayButtonRows - 1,
             random);
  DrawMarker(markerX, playRow + kMarkerDrop);

  // The strip shows the ring's first kStripEntries entries across its columns.
  assert(app.currentRing != nullptr);
  const auto stripColumns = static_cast<std::uint32_t>(app.stripColumns);
  for (std::uint32_t y = kStripTopRow; y < kStripTopRow + kStripRows; ++y) {
    std::uint32_t* strip = RasterRow(y) + left + 1;
    for (std::uint32_t i = 0; i < stripColumns; ++i) {
      strip[i] = app.currentRing[i * kStripEntries / stripColumns];
    }
  }
  DrawMarker(markerX, static_cast<std::uint32_t>(kRingLabelY) + kMarkerDrop);
}

}  // namespace

std::uint32_t LerpColor(std::uint32_t a, std::uint32_t b, std::int32_t c, std::int32_t d) {
  assert(d != 0);
  std::uint32_t result = 0;
  for (std::uint32_t shift = 0; shift < 32; shift += 8) {
    const std::int64_t from = (a >> shift) & 0xFFu;
    const std::int64_t to = (b >> shift) & 0xFFu;
    // 64-bit so that no c overflows; where the 32-bit product fits, the value is the same.
    const std::int64_t value = from + (to - from) * c / d;
    result |= (static_cast<std::uint32_t>(value) & 0xFFu) << shift;  // modulo 256, no carry
  }
  return result;
}

void DrawButton(std::uint32_t x0, std::uint32_t y0, std::uint32_t x1, std::uint32_t y1,
                bool selected) {
  assert(app.ConsoleRaster != nullptr && x1 < RasterWidth() && y1 < kRasterRows);
  if (app.ConsoleRaster == nullptr || x0 > x1 || y0 > y1 || x1 >= RasterWidth() ||
      y1 >= kRasterRows) {
    return;
  }
  const ButtonColours colours = selected ? kSelectedButton : kPlainButton;
  // The sizes pass through single precision, the steps are taken in double precision. A button
  // one pixel wide (or high) has no gradient along that axis instead of 0 x infinity.
  const auto dx = static_cast<float>(x1 - x0);
  const auto dy = static_cast<float>(y1 - y0);
  const double stepX = dx > 0 ? kGradientSpan / static_cast<double>(dx) : 0.0;
  const double stepY = dy > 0 ? kGradientSpan / static_cast<double>(dy) : 0.0;
  for (std::uint32_t j = 0; j <= y1 - y0; ++j) {
    std::uint32_t* row = RasterRow(y0 + j) + x0;
    const double rowStep = j * stepY;
    for (std::uint32_t i = 0; i <= x1 - x0; ++i) {
      const auto t = static_cast<std::int32_t>(i * stepX + rowStep);
      row[i] = LerpColor(colours.from, colours.to, t, kGradientSteps);
    }
    // Dotted side edges: right on even rows, left on odd ones, so neighbours meet in a checker.
    row[j % 2 == 0 ? x1 - x0 : 0] = kWhite;
  }
}

void DrawMarker(std::uint32_t x, std::uint32_t y) {
  assert(app.ConsoleRaster != nullptr && x + kMarkerColumns <= RasterWidth() &&
         y + kMarkerRows <= kRasterRows);
  if (app.ConsoleRaster == nullptr || x + kMarkerColumns > RasterWidth() ||
      y + kMarkerRows > kRasterRows) {
    return;
  }
  for (std::uint32_t s = 0; s < kMarkerHalfRows; ++s) {
    for (const std::uint32_t rowY : {y + s, y + kMarkerRows - 1 - s}) {
      std::uint32_t* row = RasterRow(rowY) + x;
      std::fill_n(row, s + 1, kMarkerColours[s]);
      row[s + 1] = kMarkerEdge;
    }
  }
}

void DrawConsolePanel(const FrameView& frame) {
  DrawConsoleBand(frame);
  if (app.consoleTop >= kOpenConsoleTop && app.consoleTop < screenHeight &&
      frame.pixels != nullptr) {
    DrawGlow(frame, app.consoleTop);
  }
}

std::int32_t ConsoleRowsAt(double scale) {
  return static_cast<std::int32_t>(static_cast<double>(app.consoleOffset) * scale);
}

// Output row r lies (bandTop - r - 0.5) / scale classic rows above the band: in the glow's row k
// from the top of the band, for k = 1 ... 9 as in the classic glow.
std::int32_t ConsoleGlowStep(std::int32_t bandTop, std::int32_t r, double scale) {
  if (app.consoleOffset == 0) {
    return kGlowSteps;
  }
  const auto k =
      static_cast<std::int32_t>(static_cast<double>(bandTop - r) / scale - 0.5 / scale) + 1;
  return std::min(k, kGlowSteps);
}

// Rows farther up than the glow's last are left alone.
void DrawConsoleGlowAt(const FrameView& picture, std::int32_t bandTop, double scale) {
  for (std::int32_t r = std::min(bandTop, picture.height) - 1; r >= 0; --r) {
    const std::int32_t k = ConsoleGlowStep(bandTop, r, scale);
    if (k >= kGlowSteps) {
      break;
    }
    std::uint32_t* row = picture.pixels + static_cast<std::ptrdiff_t>(r) * picture.pitch;
    for (std::int32_t x = 0; x < picture.width; ++x) {
      row[x] = LerpColor(kGlowColour, row[x], k, kGlowSteps);
    }
  }
}

// Output row r shows the band's row floor(u) - consoleTop, u = 600 - (height - r - 0.5) / scale:
// measured up from the bottom edge, which the band keeps, as the console layer's overlay does.
std::uint32_t BandMarginColour(std::int32_t height, std::int32_t r, double scale) {
  const double u = screenHeight - (height - r - 0.5) / scale;
  const std::int32_t bandRow = std::max(static_cast<std::int32_t>(u) - app.consoleTop, 0);
  return bandRow < kBandSteps ? LerpColor(kBandTopColour, kGlowColour, bandRow, kBandSteps)
                              : kWhite;
}

void DrawConsoleBandMargins(const FrameView& picture, std::int32_t bandTop, double scale,
                            std::int32_t first, std::int32_t end) {
  for (std::int32_t r = std::max(bandTop, 0); r < picture.height; ++r) {
    const std::uint32_t colour = BandMarginColour(picture.height, r, scale);
    std::uint32_t* row = picture.pixels + static_cast<std::ptrdiff_t>(r) * picture.pitch;
    std::fill(row, row + first, colour);
    std::fill(row + end, row + picture.width, colour);
  }
}

ConsoleControl ConsoleControlAt(std::int32_t column, std::int32_t row) {
  const std::int32_t left = app.consoleLeft;
  const auto within = [](std::int32_t at, std::int32_t first, std::int32_t count) {
    return at >= first && at < first + count;
  };
  const bool labels = within(column, left - kLabelReach, kLabelReach);
  for (std::int32_t buttonRow = 0; buttonRow * app.modelButtonsPerRow < kModelCount; ++buttonRow) {
    const std::int32_t first = buttonRow * app.modelButtonsPerRow;
    const std::int32_t count = std::min(app.modelButtonsPerRow, kModelCount - first);
    if (within(row, app.modelRowY + buttonRow * kModelRowStep, kModelButtonRows) &&
        within(column, left, app.modelButtonColumns * count)) {
      return {ConsoleControlKind::ModelButton, first + (column - left) / app.modelButtonColumns};
    }
  }
  const std::int32_t playColumns = 2 * static_cast<std::int32_t>(kPlayButtonColumns) - 1;
  if (within(row, app.playModeRowY, kPlayButtonRows) &&
      (labels || within(column, left, playColumns))) {
    const bool random = app.playPeriodMs != kManualPeriodMs;
    // RANDOM owns the column the two buttons share, as drawn.
    const bool onRandom = column >= left + static_cast<std::int32_t>(kPlayButtonColumns) - 1;
    if (labels || onRandom != random) {
      return {ConsoleControlKind::PlayMode, 0};
    }
    return {};
  }
  if (within(row, kRingLabelY, static_cast<std::int32_t>(kRasterRows) - kRingLabelY) &&
      (labels || within(column, left + 1, app.stripColumns))) {
    return {ConsoleControlKind::ColourRing, 0};
  }
  return {};
}

void LayOutConsole() {
  const std::int32_t width = app.frame.layer.width;
  if (width >= screenWidth || width < kNarrowConsoleLeastWidth) {
    app.consoleWidth = screenWidth;
    app.consoleLeft = screenWidth - kControlsFromRight;
    app.fpsRowY = kFpsRowY;
    app.playModeRowY = kPlayModeRowY;
    app.modelRowY = kModelRowY;
    app.modelButtonColumns = modelButtonWidth;
    app.modelButtonsPerRow = kModelCount;
    app.stripColumns = kStripEntries;
    return;
  }
  const std::int32_t controls = width - kNarrowControlsLeft - kNarrowMargin;
  app.consoleWidth = width;
  app.consoleLeft = kNarrowControlsLeft;
  app.fpsRowY = kNarrowFpsRowY;
  app.playModeRowY = kNarrowPlayModeRowY;
  app.modelRowY = kNarrowModelRowY;
  app.modelButtonColumns = controls / kNarrowButtonsPerRow;
  app.modelButtonsPerRow = kNarrowButtonsPerRow;
  app.stripColumns = controls - 1;  // the strip starts a column into the controls
}

ConsolePoint ModelButtonOrigin(std::int32_t model) {
  return {app.consoleLeft + app.modelButtonColumns * (model % app.modelButtonsPerRow),
          app.modelRowY + kModelRowStep * (model / app.modelButtonsPerRow)};
}

bool ClassicConsole() {
  return app.consoleWidth == screenWidth;
}

void DrawConsoleBand(const FrameView& frame) {
  const std::int32_t top = app.consoleTop;
  if (top == screenHeight) {
    return;  // hidden
  }
  // The frame driver keeps top in 520 ... 600 and calls only with a good lock; anything else
  // would write past the raster or the back buffer.
  assert(top >= kOpenConsoleTop && top < screenHeight);
  assert(frame.pixels != nullptr && frame.pitch >= app.consoleWidth);
  if (top < kOpenConsoleTop || top > screenHeight || frame.pixels == nullptr ||
      frame.pitch < app.consoleWidth || app.ConsoleRaster == nullptr) {
    return;
  }

  BuildRaster();
  for (std::int32_t y = top; y < screenHeight; ++y) {
    std::copy_n(RasterRow(static_cast<std::uint32_t>(y - top)), RasterWidth(), ScreenRow(frame, y));
  }
}
