// Platform boundary: text output on the platform's text surface, the console layer that
// OpenFrameText opened (GDI on the back buffer on Windows, glyphs on the memory frame elsewhere, a
// recorder in native tests).
//
// Every text is drawn in the platform's text font, in transparent mode, with y the top of the
// text. A text surface opened by OpenFrameText starts with black ink and left alignment.
#pragma once

#include <cstdint>
#include <string_view>

#include "state/app_state.h"

// Makes the text font current on the text surface, keeping the one it replaces, and sets
// transparent mode.
void BeginText();

// Sets the ink for following texts; `colorref` is 0x00BBGGRR.
void SetTextInk(std::uint32_t colorref);

// Sets the anchor for following texts.
void SetTextAnchor(TextAnchor anchor);

// Draws `text` (its exact length; empty draws nothing) at (x, y).
void PutText(std::int32_t x, std::int32_t y, std::string_view text);

// The width `text` takes in the text font, in pixels; between BeginText and EndText.
std::int32_t MeasureText(std::string_view text);

// Makes the font kept by BeginText current on the text surface again.
void EndText();
