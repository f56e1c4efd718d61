// Text output on GDI: the back buffer's device context, app.textFont, transparent background.
#include <windows.h>

#include "platform/text_output.h"
#include "state/app_state.h"

namespace {

UINT AlignmentOf(TextAnchor anchor) {
  switch (anchor) {
    case TextAnchor::Left:
      return TA_LEFT | TA_TOP;
    case TextAnchor::Centre:
      return TA_CENTER | TA_TOP;
    case TextAnchor::Right:
      return TA_RIGHT | TA_TOP;
  }
  return TA_LEFT | TA_TOP;
}

}  // namespace

void BeginText() {
  app.keptFont = static_cast<HFONT>(SelectObject(app.textDc, app.textFont));
  SetBkMode(app.textDc, TRANSPARENT);
}

void SetTextInk(std::uint32_t colorref) {
  SetTextColor(app.textDc, colorref);
}

void SetTextAnchor(TextAnchor anchor) {
  SetTextAlign(app.textDc, AlignmentOf(anchor));
}

void PutText(std::int32_t x, std::int32_t y, std::string_view text) {
  if (text.empty()) {
    return;
  }
  TextOutA(app.textDc, x, y, text.data(), static_cast<int>(text.size()));
}

void EndText() {
  SelectObject(app.textDc, app.keptFont);
}
