// Drawing the plasma: IndexBuffer values, plus a drifting extra term for models 0, 10, 11 and 12,
// looked up in the visible colour ring and written into the locked back buffer.
#pragma once

#include <cstdint>

#include "plasma/drifting_term.h"
#include "state/app_state.h"
#include "state/frame_view.h"

// How far the drift can move the extra term from the pixel's own grid point, and the window of
// grid points it can therefore reach: every column and row of the screen widened by that reach.
constexpr auto kDriftReachX = static_cast<std::int32_t>(kDriftMostX);         // 89
constexpr auto kDriftReachY = static_cast<std::int32_t>(kDriftMostY);         // 109
constexpr std::int32_t kDriftWindowWidth = screenWidth + 2 * kDriftReachX;    // 978
constexpr std::int32_t kDriftWindowHeight = screenHeight + 2 * kDriftReachY;  // 818
constexpr std::int32_t kDriftWindowEntries = kDriftWindowWidth * kDriftWindowHeight;

// Fills app.AngleWaveSums (kDriftWindowEntries, allocated) from app.ANGLE and app.WAVE, which must
// be built: entry (wy, wx) holds ANGLE + WAVE at grid point (wx - kDriftReachX - screenWidth / 2,
// wy - kDriftReachY - screenHeight / 2). Called once, by start-up, after the geometry tables.
void BuildAngleWaveSums();

// Writes rows 0 ... consoleTop - 1 of the locked classic `frame` (stepping rows by frame.pitch,
// which is at least screenWidth); consoleTop is read as unsigned and never reaches past
// screenHeight. Rows from consoleTop down, and the words between screenWidth and the pitch, are
// left alone. Reads app.modelClockMs for the drift, and app.AngleWaveSums for model 0.
void ComposeFrame(const FrameView& frame, std::int32_t consoleTop);

// Writes rows firstRow ... endRow - 1 (within 0 ... screenHeight) of the locked classic `frame`
// as ComposeFrame does: the rows below a layer drawn over the plasma, for a renderer that draws
// the rest elsewhere.
void ComposeFrameRows(const FrameView& frame, std::int32_t firstRow, std::int32_t endRow);
