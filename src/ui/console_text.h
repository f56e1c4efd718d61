// The console's top layer: the two logos and all its text, and the frame-rate counter.
#pragma once

#include <cstdint>

#include "state/app_state.h"

// The top row of the TAB hint, which is drawn over the plasma until the first TAB: its text lies
// in the rows from here to the screen's bottom.
constexpr std::int32_t kTabHintTop = screenHeight - 10;

// Counts the frame for the frame-rate display. Once per running frame, before drawing.
void CountFrame();

// Copies the logos onto the unlocked back buffer where they fit completely on the screen. Only
// once their surfaces were made (platform/logo_surfaces.h).
void BlitLogos();

// Draws the console text through the text output.
void DrawConsoleText();
