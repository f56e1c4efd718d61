// The console's pixel layer: glow, colour band, buttons, markers and the colour-ring strip.
#pragma once

#include <cstddef>
#include <cstdint>

#include "state/app_state.h"
#include "state/frame_view.h"
#include "ui/console_slide.h"

constexpr std::int32_t modelButtonWidth = 24;  // in the classic layout

// A layer narrower than the classic screen has the narrow console: only the controls column, its
// model buttons in two rows, as wide as the layer; it needs this many columns at least.
constexpr std::int32_t kNarrowConsoleLeastWidth = 240;

// The glow above the console: its colour, 0x00RRGGBB (24, 139, 10), and its steps: row k above
// the console keeps k / kConsoleGlowSteps of the picture, so step kConsoleGlowSteps keeps it all.
constexpr std::uint32_t kConsoleGlowColour = 0x00188B0A;
constexpr std::int32_t kConsoleGlowSteps = 10;

// Pixels of app.ConsoleRaster, the open console: at most the screen's width by its 80 rows.
constexpr std::size_t kConsoleRasterPixels = std::size_t{screenWidth} * kConsoleHeight;

// Interpolates each of the four bytes of a and b by c / d (signed 32-bit, truncating), mod 256.
std::uint32_t LerpColor(std::uint32_t a, std::uint32_t b, std::int32_t c, std::int32_t d);

// Draws a gradient button with dotted side edges into the raster; corners inclusive.
void DrawButton(std::uint32_t x0, std::uint32_t y0, std::uint32_t x1, std::uint32_t y1,
                bool selected);

// Draws a 6 x 10 right-pointing marker into the raster with its top-left corner at (x, y).
void DrawMarker(std::uint32_t x, std::uint32_t y);

// What a point of the console answers to.
enum class ConsoleControlKind : std::int32_t {
  None = 0,
  ModelButton = 1,  // one of the 14 model buttons
  PlayMode = 2,     // the play mode not chosen, or the PLAY MODE label: the other play mode
  ColourRing = 3,   // the ring strip or its label: new colours
};

struct ConsoleControl {
  ConsoleControlKind kind = ConsoleControlKind::None;
  std::int32_t model = 0;  // the button's model, where ModelButton
};

// The control at `column` of the console's `row` (0: its top row), as laid out last. The play
// mode already chosen answers None.
ConsoleControl ConsoleControlAt(std::int32_t column, std::int32_t row);

// Assigns the layout values for the layer's width, app.frame.layer.width: the classic layout at
// the classic width, else the narrow one. Once per running frame, before drawing.
void LayOutConsole();

// A point of the console: a column and a row from its top.
struct ConsolePoint {
  std::int32_t x;
  std::int32_t y;
};

// The top-left pixel of model `model`'s button, as laid out last.
ConsolePoint ModelButtonOrigin(std::int32_t model);

// Whether the console has the classic layout, with the key help, the footer and the logos.
bool ClassicConsole();

// Unless the console is hidden, draws the glow above app.consoleTop and copies the rebuilt panel
// into the rows below it, in the locked classic `frame`.
void DrawConsolePanel(const FrameView& frame);

// The console over a picture of any other size: its band is drawn in classic rows on the console
// layer, which the platform scales onto the picture's bottom rows; its glow is drawn on the
// picture itself, at the picture's resolution.

// DrawConsolePanel without the glow: unless hidden, the panel's rows, in the console layer `frame`.
void DrawConsoleBand(const FrameView& frame);

// Output rows the console covers at the bottom of a picture drawn at `scale`: the classic rows on
// screen (app.consoleOffset) scaled, truncated.
std::int32_t ConsoleRowsAt(double scale);

// Fills the band's rows of `picture` (bandTop down) outside columns first ... end - 1 with the
// panel's plain colours, the colour band at the top and white below, its rows as tall as the
// classic rows at `scale`: on a wide screen the console spans the width, its controls in the
// middle.
void DrawConsoleBandMargins(const FrameView& picture, std::int32_t bandTop, double scale,
                            std::int32_t first, std::int32_t end);

// The colour of the band's margins in output row r (bandTop or below) of a picture `height` rows
// high drawn at `scale`.
std::uint32_t BandMarginColour(std::int32_t height, std::int32_t r, double scale);

// The glow's step of output row r above output row `bandTop` at `scale`: 1 ... 9 in the glow,
// kConsoleGlowSteps above it and while the console is hidden.
std::int32_t ConsoleGlowStep(std::int32_t bandTop, std::int32_t r, double scale);

// Tints the rows of `picture` above output row `bandTop` as the classic glow tints its nine rows,
// each classic row `scale` output rows high. Draws nothing while the console is hidden.
void DrawConsoleGlowAt(const FrameView& picture, std::int32_t bandTop, double scale);
