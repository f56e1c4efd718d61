#include "ui/intro_page.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/clock.h"
#include "platform/text_output.h"
#include "state/app_state.h"
#include "ui/web_addresses.h"

namespace {

// The page's text, one fixed 100-byte slot per row. A leading '|' marks a heading (drawn white,
// without the '|'), anything else is grey body text, an empty row a blank line; the '}' row ends
// the table.
constexpr std::size_t kIntroRowBytes = 100;
constexpr char kHeadingMark = '|';
constexpr char kEndMark = '}';
constexpr char IntroText[][kIntroRowBytes] = {
    "|CHROMAFLUX",
    "",
    "|we will use your PC to make you crazy",
    "|you look at it once, you can't stop watching",
    "",
    "",
    "|HOW IT WORKS",
    "This is compilation of 14 predefined formulas. You can watch them in one of following ways:",
    "RANDOM - every 20 seconds formula will change automagically",
    "MANUAL - nothing will change until you want it",
    "",
    "Each of 14 formulas, has its own randomly generated add-ons.",
    "Every time, it looks a little bit different.",
    "",
    "Additionally, there are 3 different color-palette modes (randomly generated).",
    "",
    "",
    "|KEYBOARD",
    "You can use some simple keyboard commands:",
    "TAB - show/hide console",
    "arrows - change acid formula to next/previous",
    "q - toggle play modes RANDOM/MANUAL",
    "a - draw new acid formula ( play new random formula )",
    "z - change colors WITHOUT changing formula",
    "Esc - Escape to the real world",
    "}",
};
static_assert(sizeof IntroText / kIntroRowBytes == 26, "25 text rows and the end row");

// Text colours, COLORREF 0x00BBGGRR.
constexpr std::uint32_t kHeadingInk = 0x00FFFFFF;
constexpr std::uint32_t kBodyInk = 0x00888888;  // (136, 136, 136)
constexpr std::uint32_t kPromptInk = 0x00FFFFFF;
constexpr std::uint32_t kCreditsInk = 0x00006699;  // (153, 102, 0)

constexpr std::int32_t kTextTopY = 100;
constexpr std::int32_t kLineHeight = 13;
constexpr std::size_t kCentredRows = 5;  // rows 0 ... 4 are centred, the rest start at kBodyX
constexpr std::int32_t kBodyX = 100;
constexpr std::uint32_t kBlinkPhaseMs = 500;  // a phase ends on the first frame more than 500 ms on

// Credits lines, tops measured up from the bottom of the screen.
constexpr std::int32_t kThanksFromBottom = 47;
constexpr std::int32_t kThankedFromBottom = 37;
constexpr std::int32_t kCodeFromBottom = 22;
constexpr std::int32_t kAuthorFromBottom = 12;

// Draws the table from y = kTextTopY down; returns the y below its last row.
std::int32_t PutIntroRows() {
  std::int32_t y = kTextTopY;
  std::int32_t x = screenWidth / 2;
  for (std::size_t row = 0; IntroText[row][0] != kEndMark; ++row) {
    if (row == kCentredRows) {
      SetTextAnchor(TextAnchor::Left);
      x = kBodyX;
    }
    std::string_view text = IntroText[row];
    SetTextInk(kBodyInk);
    if (!text.empty() && text.front() == kHeadingMark) {
      SetTextInk(kHeadingInk);
      text.remove_prefix(1);
    }
    PutText(x, y, text);
    y += kLineHeight;
  }
  return y;
}

void PutCredits() {
  SetTextInk(kCreditsInk);
  SetTextAnchor(TextAnchor::Right);
  PutText(screenWidth, screenHeight - kThanksFromBottom, "thx 2:");
  PutText(screenWidth, screenHeight - kThankedFromBottom, kThankedAddress);
  PutText(screenWidth, screenHeight - kCodeFromBottom, "code:");
  PutText(screenWidth, screenHeight - kAuthorFromBottom, kAuthorAddress);
}

}  // namespace

// The prompt starts shown (blinkTick 0 means never toggled); tick differences are modulo 2^32.
void AdvanceBlink() {
  if (app.blinkTick == 0 || GetTicks() - app.blinkTick > kBlinkPhaseMs) {
    app.blinkOn = ~app.blinkOn;
    app.blinkTick = GetTicks();
  }
}

void DrawIntroPage() {
  BeginText();
  SetTextInk(kHeadingInk);
  SetTextAnchor(TextAnchor::Centre);
  const std::int32_t belowRows = PutIntroRows();

  SetTextInk(kPromptInk);
  if (app.blinkOn != 0) {
    SetTextAnchor(TextAnchor::Centre);
    PutText(screenWidth / 2, belowRows + kLineHeight, "Kick your mouse to let go...");
  }
  PutCredits();
  EndText();
}
