// Platform boundary: text output on app.textDc (GDI on Windows, a recorder in native tests).
//
// Every text is drawn in app.textFont, in transparent mode, with y the top of the text. A device
// context opened by OpenFrameText starts with black ink and left alignment.
#pragma once

#include <cstdint>
#include <string_view>

#include "state/app_state.h"

// Selects app.textFont into app.textDc, keeping the font it replaces, and sets transparent mode.
void BeginText();

// Sets the ink for following texts; `colorref` is 0x00BBGGRR.
void SetTextInk(std::uint32_t colorref);

// Sets the anchor for following texts.
void SetTextAnchor(TextAnchor anchor);

// Draws `text` (its exact length; empty draws nothing) at (x, y).
void PutText(std::int32_t x, std::int32_t y, std::string_view text);

// Selects the font kept by BeginText back into app.textDc.
void EndText();
