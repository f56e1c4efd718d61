#include <cassert>

#include "doubles/doubles.h"

using doubles::text;

void BeginText() {
  assert(doubles::display.dcHeld && !text.fontSelected);
  text.fontSelected = true;
  text.transparent = true;
}

void SetTextInk(std::uint32_t colorref) {
  text.ink = colorref;
}

void SetTextAnchor(TextAnchor anchor) {
  text.anchor = anchor;
}

void PutText(std::int32_t x, std::int32_t y, std::string_view drawn) {
  assert(text.fontSelected && text.transparent);
  text.texts.push_back({x, y, std::string(drawn), text.ink, text.anchor});
}

std::int32_t MeasureText(std::string_view drawn) {
  assert(text.fontSelected);
  return doubles::kRecordedLetterWidth * static_cast<std::int32_t>(drawn.size());
}

void EndText() {
  assert(text.fontSelected);
  text.fontSelected = false;
}
