// Text output on GDI: the back buffer's device context, the text font, transparent background.
#include "windows/gdi_text.h"

#include "platform/text_output.h"
#include "windows/win_platform.h"

namespace {

constexpr int kFontPoints = 7;
constexpr int kPointsPerInch = 72;

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

void CreateTextFont(HDC screenDc) {
  const int height = -MulDiv(kFontPoints, GetDeviceCaps(screenDc, LOGPIXELSY), kPointsPerInch);
  Platform().textFont = CreateFontA(height, 0, 0, 0, FW_THIN, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                    VARIABLE_PITCH | FF_DONTCARE, "Verdana");
}

void DeleteTextFont() {
  DeleteObject(Platform().textFont);
  Platform().textFont = nullptr;
}

void BeginText() {
  WinPlatform& platform = Platform();
  platform.keptFont = static_cast<HFONT>(SelectObject(platform.textDc, platform.textFont));
  SetBkMode(platform.textDc, TRANSPARENT);
}

void SetTextInk(std::uint32_t colorref) {
  SetTextColor(Platform().textDc, colorref);
}

void SetTextAnchor(TextAnchor anchor) {
  SetTextAlign(Platform().textDc, AlignmentOf(anchor));
}

void PutText(std::int32_t x, std::int32_t y, std::string_view text) {
  if (text.empty()) {
    return;
  }
  TextOutA(Platform().textDc, x, y, text.data(), static_cast<int>(text.size()));
}

std::int32_t MeasureText(std::string_view text) {
  SIZE extent{};
  GetTextExtentPoint32A(Platform().textDc, text.data(), static_cast<int>(text.size()), &extent);
  return extent.cx;
}

void EndText() {
  SelectObject(Platform().textDc, Platform().keptFont);
}
