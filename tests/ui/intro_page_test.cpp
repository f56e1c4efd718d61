#include "ui/intro_page.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/layer_layout.h"
#include "doubles/doubles.h"
#include "state/app_state.h"
#include "ui/console_fixture.h"
#include "ui/recorded_calls.h"

namespace {

using doubles::TextCall;

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kGrey = 0x00888888;
constexpr std::uint32_t kCredits = 0x00006699;
constexpr std::size_t kRows = 25;

class IntroPage : public ConsoleFixture {
 protected:
  // One intro frame's text at the given tick, on a freshly taken device context.
  static std::vector<TextCall> DrawAt(std::uint32_t tick) {
    doubles::clockTicks = tick;
    doubles::text.texts.clear();
    AdvanceBlink();
    OpenFrameText();
    DrawIntroPage();
    CloseFrameText();
    return doubles::text.texts;
  }

  static bool PromptShown(const std::vector<TextCall>& texts) {
    for (const TextCall& call : texts) {
      if (call.text == "Kick your mouse to let go...") {
        return true;
      }
    }
    return false;
  }
};

TEST_F(IntroPage, DrawsEveryRowPromptAndCreditInPlace) {
  const std::vector<TextCall> texts = DrawAt(1000);
  // Rows 0 ... 4 centred at x 400, rows 5 ... 24 from x 100, 13 px apart from y 100.
  const std::vector<TextCall> expected = {
      {400, 100, "CHROMAFLUX", kWhite, TextAnchor::Centre},
      {400, 113, "", kGrey, TextAnchor::Centre},
      {400, 126, "we will use your PC to make you crazy", kWhite, TextAnchor::Centre},
      {400, 139, "you look at it once, you can't stop watching", kWhite, TextAnchor::Centre},
      {400, 152, "", kGrey, TextAnchor::Centre},
      {100, 165, "", kGrey, TextAnchor::Left},
      {100, 178, "HOW IT WORKS", kWhite, TextAnchor::Left},
      {100, 191,
       "This is compilation of 14 predefined formulas. You can watch them in one of following "
       "ways:",
       kGrey, TextAnchor::Left},
      {100, 204, "RANDOM - every 20 seconds formula will change automagically", kGrey,
       TextAnchor::Left},
      {100, 217, "MANUAL - nothing will change until you want it", kGrey, TextAnchor::Left},
      {100, 230, "", kGrey, TextAnchor::Left},
      {100, 243, "Each of 14 formulas, has its own randomly generated add-ons.", kGrey,
       TextAnchor::Left},
      {100, 256, "Every time, it looks a little bit different.", kGrey, TextAnchor::Left},
      {100, 269, "", kGrey, TextAnchor::Left},
      {100, 282, "Additionally, there are 3 different color-palette modes (randomly generated).",
       kGrey, TextAnchor::Left},
      {100, 295, "", kGrey, TextAnchor::Left},
      {100, 308, "", kGrey, TextAnchor::Left},
      {100, 321, "KEYBOARD", kWhite, TextAnchor::Left},
      {100, 334, "You can use some simple keyboard commands:", kGrey, TextAnchor::Left},
      {100, 347, "TAB - show/hide console", kGrey, TextAnchor::Left},
      {100, 360, "arrows - change acid formula to next/previous", kGrey, TextAnchor::Left},
      {100, 373, "q - toggle play modes RANDOM/MANUAL", kGrey, TextAnchor::Left},
      {100, 386, "a - draw new acid formula ( play new random formula )", kGrey, TextAnchor::Left},
      {100, 399, "z - change colors WITHOUT changing formula", kGrey, TextAnchor::Left},
      {100, 412, "Esc - Escape to the real world", kGrey, TextAnchor::Left},
      {400, 438, "Kick your mouse to let go...", kWhite, TextAnchor::Centre},
      {800, 553, "thx 2:", kCredits, TextAnchor::Right},
      {800, 563, "www.example.org", kCredits, TextAnchor::Right},
      {800, 578, "code:", kCredits, TextAnchor::Right},
      {800, 588, "www.chromaflux.example", kCredits, TextAnchor::Right},
  };
  ASSERT_EQ(expected.size(), kRows + 5);
  EXPECT_EQ(texts, expected);
  EXPECT_EQ(texts[7].text.size(), 91u);  // the longest row still fits its 100-byte slot
  EXPECT_FALSE(doubles::text.fontSelected);
  EXPECT_TRUE(doubles::text.transparent);
}

// On a phone, upright and on its side, every word of the page is drawn, each line within the
// layer and clear of every other.
TEST_F(IntroPage, OnAPhoneEveryWordShowsWithinTheLayerAndNoLinesOverlap) {
  constexpr std::int32_t kCellHeight = 10;  // the text font's, as the software renderer has it
  std::string classicWords;
  for (const TextCall& call : DrawAt(1000)) {
    classicWords += call.text.empty() ? "" : call.text + " ";
  }
  for (const PictureSize phone : {PictureSize{1170, 2532}, PictureSize{2532, 1170}}) {
    app.frame.layer = ChooseLayerLayout(phone, FrameContent::IntroPage, 3);
    const LayerLayout layer = app.frame.layer;
    const std::vector<TextCall> texts = DrawAt(1000);
    std::string words;
    std::vector<std::array<std::int32_t, 4>> boxes;  // left, top, right, bottom
    for (const TextCall& call : texts) {
      words += call.text.empty() ? "" : call.text + " ";
      const auto width =
          static_cast<std::int32_t>(call.text.size()) * doubles::kRecordedLetterWidth;
      const std::int32_t left = call.anchor == TextAnchor::Left     ? call.x
                                : call.anchor == TextAnchor::Centre ? call.x - width / 2
                                                                    : call.x - width;
      EXPECT_TRUE(left >= 0 && left + width <= layer.width && call.y >= 0 &&
                  call.y + kCellHeight <= layer.height)
          << layer.width << " x " << layer.height << ": " << call.text;
      for (const auto& box : boxes) {
        EXPECT_FALSE(width > 0 && left < box[2] && box[0] < left + width && call.y < box[3] &&
                     box[1] < call.y + kCellHeight)
            << layer.width << " x " << layer.height << ": " << call.text;
      }
      boxes.push_back({left, call.y, left + width, call.y + kCellHeight});
    }
    EXPECT_EQ(words, classicWords);
  }
}

TEST_F(IntroPage, NoBarEverReachesTheScreen) {
  for (std::uint32_t tick : {1000u, 1600u, 2200u}) {
    for (const TextCall& call : DrawAt(tick)) {
      EXPECT_EQ(call.text.find('|'), std::string::npos) << call.text;
      EXPECT_NE(call.text, "}");
    }
  }
}

TEST_F(IntroPage, PromptBlinksInPhasesOf501Ms) {
  EXPECT_TRUE(PromptShown(DrawAt(1000)));  // on at the first frame
  EXPECT_EQ(app.blinkTick, 1000u);
  EXPECT_TRUE(PromptShown(DrawAt(1500)));  // 500 ms on: unchanged
  EXPECT_FALSE(PromptShown(DrawAt(1501)));
  EXPECT_EQ(app.blinkTick, 1501u);
  EXPECT_EQ(app.blinkOn, 0);
  EXPECT_FALSE(PromptShown(DrawAt(2001)));
  EXPECT_TRUE(PromptShown(DrawAt(2002)));
  EXPECT_EQ(app.blinkOn, ~0);
}

TEST_F(IntroPage, BlinkPhaseSpansTheTickWrap) {
  DrawAt(0xFFFFFF00u);  // blinkTick + 500 wraps to 0xF4
  ASSERT_EQ(app.blinkOn, ~0);
  EXPECT_TRUE(PromptShown(DrawAt(0xFFFFFF10u)));  // 16 ms on, before the wrap
  EXPECT_TRUE(PromptShown(DrawAt(0x000000F4u)));  // 500 ms on, past the wrap
  EXPECT_FALSE(PromptShown(DrawAt(0x000000F5u)));
}

}  // namespace
