// The console's pixel layer: glow, colour band, buttons, markers and the colour-ring strip.
#pragma once

#include <cstdint>

constexpr std::int32_t modelButtonWidth = 24;

// Interpolates each of the four bytes of a and b by c / d (signed 32-bit, truncating), mod 256.
std::uint32_t LerpColor(std::uint32_t a, std::uint32_t b, std::int32_t c, std::int32_t d);

// Draws a gradient button with dotted side edges into the raster; corners inclusive.
void DrawButton(std::uint32_t x0, std::uint32_t y0, std::uint32_t x1, std::uint32_t y1,
                bool selected);

// Draws a 6 x 10 right-pointing marker into the raster with its top-left corner at (x, y).
void DrawMarker(std::uint32_t x, std::uint32_t y);

// Assigns the layout values and, unless the console is hidden, draws the glow above app.consoleTop
// and copies the rebuilt panel into the rows below it, in the locked back buffer.
void DrawConsolePanel();
