#include "ui/intro_page.h"

#include <algorithm>
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

// A layout for a small screen: the body a margin in from the left, every row wrapped at the
// layer's width, a run of blank rows kept to one, and the block placed down the layer by IntroTop.
constexpr std::int32_t kNarrowMargin = 8;

// The page's place on the layer.
struct IntroPlace {
  std::int32_t width;   // the layer's
  std::int32_t height;  //
  std::int32_t bodyX;   // where the body rows start
  std::int32_t wrapAt;  // the widest a row may be drawn; 0: rows are never wrapped
};

IntroPlace PlaceOfLayer() {
  const LayerLayout& layer = app.frame.layer;
  if (layer.width == screenWidth && layer.height == screenHeight) {
    return {screenWidth, screenHeight, kBodyX, 0};
  }
  return {layer.width, layer.height, kNarrowMargin, layer.width - 2 * kNarrowMargin};
}

// Calls draw(line) for each line `text` takes: the whole row, or its words wrapped at `wrapAt`.
template <typename Draw>
void ForEachLine(std::string_view text, std::int32_t wrapAt, Draw draw) {
  if (wrapAt <= 0 || MeasureText(text) <= wrapAt) {
    draw(text);
    return;
  }
  std::size_t end = 0;  // the line so far is text[0, end)
  while (!text.empty()) {
    const std::size_t next = text.find(' ', end + 1);
    const std::size_t longer = next == std::string_view::npos ? text.size() : next;
    if (end > 0 && MeasureText(text.substr(0, longer)) > wrapAt) {
      draw(text.substr(0, end));
      text.remove_prefix(std::min(end + 1, text.size()));
      end = 0;
    } else if (longer == text.size()) {
      draw(text);
      return;
    } else {
      end = longer;
    }
  }
}

// Puts the table's rows from y = top down (or only counts them, without `put`); returns the y
// below the last.
std::int32_t PutIntroRows(const IntroPlace& place, std::int32_t top, bool put) {
  std::int32_t y = top;
  for (std::size_t row = 0; IntroText[row][0] != kEndMark; ++row) {
    std::string_view text = IntroText[row];
    if (place.wrapAt > 0 && text.empty() && row > 0 && IntroText[row - 1][0] == '\0') {
      continue;
    }
    const bool centred = row < kCentredRows;
    SetTextAnchor(centred ? TextAnchor::Centre : TextAnchor::Left);
    SetTextInk(kBodyInk);
    if (!text.empty() && text.front() == kHeadingMark) {
      SetTextInk(kHeadingInk);
      text.remove_prefix(1);
    }
    ForEachLine(text, place.wrapAt, [&](std::string_view line) {
      if (put) {
        PutText(centred ? place.width / 2 : place.bodyX, y, line);
      }
      y += kLineHeight;
    });
  }
  return y;
}

// The table's top: the classic one; on a small screen the block of rows and prompt centred, but
// never higher than the classic top where there is room below it, so that the page's top edge
// stays clear where it can. The credits keep to the right, clear of the rows.
std::int32_t IntroTop(const IntroPlace& place) {
  if (place.wrapAt == 0) {
    return kTextTopY;
  }
  const std::int32_t room = place.height - (PutIntroRows(place, 0, false) + 2 * kLineHeight);
  return std::max({room / 2, std::min(kTextTopY, room - kNarrowMargin), kNarrowMargin});
}

void PutCredits(const IntroPlace& place) {
  SetTextInk(kCreditsInk);
  SetTextAnchor(TextAnchor::Right);
  PutText(place.width, place.height - kThanksFromBottom, "thx 2:");
  PutText(place.width, place.height - kThankedFromBottom, kThankedAddress);
  PutText(place.width, place.height - kCodeFromBottom, "code:");
  PutText(place.width, place.height - kAuthorFromBottom, kAuthorAddress);
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
  const IntroPlace place = PlaceOfLayer();
  BeginText();
  const std::int32_t belowRows = PutIntroRows(place, IntroTop(place), true);

  SetTextInk(kPromptInk);
  if (app.blinkOn != 0) {
    SetTextAnchor(TextAnchor::Centre);
    PutText(place.width / 2, belowRows + kLineHeight, "Kick your mouse to let go...");
  }
  PutCredits(place);
  EndText();
}
