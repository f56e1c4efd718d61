// Drawing the plasma: IndexBuffer values, plus a drifting extra term for models 0, 10, 11 and 12,
// looked up in the visible colour ring and written into the locked back buffer.
#pragma once

#include <cstdint>

// Grid shift of the extra term in one frame: it swings around the small add-ons with the clock.
struct FrameDrift {
  std::int32_t x;  // -89 ... 89 for small add-ons -50 ... 49
  std::int32_t y;  // -109 ... 109
};

// The drift at `modelClockMs` (milliseconds since the model was selected) around (restX, restY).
FrameDrift ComputeFrameDrift(std::int32_t modelClockMs, std::int32_t restX, std::int32_t restY);

// Writes rows 0 ... app.consoleTop - 1 of the locked back buffer (app.pixels, stepping rows by
// app.pitchPixels, which is at least screenWidth); app.consoleTop is read as unsigned and never
// reaches past screenHeight. Rows from app.consoleTop down, and the words between screenWidth and
// the pitch, are left alone. Reads app.modelClockMs for the drift.
void ComposeFrame();
