#include "ui/console_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "doubles/doubles.h"
#include "state/app_state.h"
#include "ui/console_fixture.h"
#include "ui/console_panel.h"
#include "ui/console_slide.h"
#include "ui/recorded_calls.h"

namespace {

using doubles::LogoBlit;
using doubles::TextCall;

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kLabel = 0x00888888;

// The console texts at a given console top, as they must be drawn.
std::vector<TextCall> ConsoleTexts(std::int32_t top, const std::string& fps) {
  std::vector<TextCall> texts = {{286, top + 15, fps, 0, TextAnchor::Left}};
  for (std::int32_t i = 0; i < 14; ++i) {
    texts.push_back({298 + 24 * i, top + 52, std::to_string(i), kWhite, TextAnchor::Centre});
  }
  const std::vector<TextCall> rest = {
      {319, top + 37, "MANUAL", kWhite, TextAnchor::Centre},
      {384, top + 37, "RANDOM", kWhite, TextAnchor::Centre},
      {276, top + 15, "FPS", kLabel, TextAnchor::Right},
      {276, top + 37, "PLAY MODE", kLabel, TextAnchor::Right},
      {276, top + 52, "MATH MODEL", kLabel, TextAnchor::Right},
      {276, top + 67, "COLOR RING", kLabel, TextAnchor::Right},
      {3, top + 10, "KEYBOARD:", 0x00666600, TextAnchor::Left},
      {8, top + 20, "ARROWS - change model", 0x00666666, TextAnchor::Left},
      {8, top + 30, "Q - toggle play mode", 0x00666666, TextAnchor::Left},
      {8, top + 40, "A - draw random model", 0x00666666, TextAnchor::Left},
      {8, top + 50, "Z - draw random colors", 0x00666666, TextAnchor::Left},
      {0, top + 70, "code by www.chromaflux.example", 0x009999CC, TextAnchor::Left},
  };
  texts.insert(texts.end(), rest.begin(), rest.end());
  return texts;
}

class ConsoleText : public ConsoleFixture {
 protected:
  // The console of a running frame at the given offset: its update, then its layers in the
  // software renderer's order.
  static void RunConsoleFrame(std::uint32_t offset) {
    app.consoleOffset = offset;
    app.consoleTop = screenHeight - static_cast<std::int32_t>(app.consoleOffset);
    LayOutConsole();
    CountFrame();
    const FrameView frame = LockFrame(FrameLayer::Picture);
    ASSERT_NE(frame.pixels, nullptr);
    DrawConsolePanel(frame);
    UnlockFrame();
    BlitLogos();
    OpenFrameText();
    DrawConsoleText();
    CloseFrameText();
  }

  // Only the count and the text calls of one frame, on a freshly taken device context.
  static void DrawTextOnly() {
    doubles::text.texts.clear();
    CountFrame();
    OpenFrameText();
    DrawConsoleText();
    CloseFrameText();
  }
};

TEST_F(ConsoleText, OpenConsoleDrawsEveryTextInPlace) {
  ToggleConsole();
  RunConsoleFrame(80);
  EXPECT_EQ(doubles::text.texts, ConsoleTexts(520, "0"));
  EXPECT_FALSE(doubles::text.fontSelected);
}

TEST_F(ConsoleText, HintShowsUntilTheFirstTab) {
  RunConsoleFrame(0);
  std::vector<TextCall> expected = {
      {800, 590, "press TAB to open console", kWhite, TextAnchor::Right}};
  const std::vector<TextCall> console = ConsoleTexts(600, "0");  // below the screen, clipped
  expected.insert(expected.end(), console.begin(), console.end());
  EXPECT_EQ(doubles::text.texts, expected);

  ToggleConsole();
  ToggleConsole();  // hidden again, but the hint stays gone
  DrawTextOnly();
  EXPECT_EQ(doubles::text.texts, ConsoleTexts(600, "0"));
}

TEST_F(ConsoleText, NoBarEverReachesTheScreen) {
  RunConsoleFrame(0);
  ToggleConsole();
  RunConsoleFrame(80);
  for (const TextCall& call : doubles::text.texts) {
    EXPECT_EQ(call.text.find('|'), std::string::npos) << call.text;
  }
}

TEST_F(ConsoleText, FrameRateCountsSixtyThreeFramesOf16Ms) {
  ToggleConsole();
  app.frameTick = 16;
  RunConsoleFrame(80);
  for (std::uint32_t frame = 2; frame <= 62; ++frame) {
    app.frameTick = 16 * frame;
    DrawTextOnly();
    ASSERT_EQ(app.fpsShown, 0u) << frame;
  }
  app.frameTick = 16 * 63;  // 1008 ms: the first frame with 1000 ms gone
  DrawTextOnly();
  EXPECT_EQ(app.fpsShown, 63u);
  EXPECT_EQ(app.fpsFrameCount, 0u);
  EXPECT_EQ(app.fpsTick, 1008u);
  app.frameTick = 16 * 64;
  DrawTextOnly();
  EXPECT_EQ(doubles::text.texts.front(), (TextCall{286, 535, "63", 0, TextAnchor::Left}));
  EXPECT_EQ(app.fpsFrameCount, 1u);
}

TEST_F(ConsoleText, FirstFrameAfterALongIntroShowsOne) {
  app.fpsTick = 0;
  app.frameTick = 1500;
  RunConsoleFrame(0);
  EXPECT_EQ(app.fpsShown, 1u);
  EXPECT_EQ(app.fpsTick, 1500u);
}

TEST_F(ConsoleText, FrameRateWindowSpansTheTickWrap) {
  app.fpsTick = 0xFFFFFE00u;              // fpsTick + 1000 wraps to 488
  for (std::uint32_t ms : {16u, 600u}) {  // before and after the wrap the window is still open
    app.frameTick = app.fpsTick + ms;
    RunConsoleFrame(0);
    EXPECT_EQ(app.fpsShown, 0u) << ms;
  }
  app.frameTick = 0xFFFFFE00u + 1000;
  RunConsoleFrame(0);
  EXPECT_EQ(app.fpsShown, 3u);
  EXPECT_EQ(app.fpsTick, 488u);
}

TEST_F(ConsoleText, LogosAreCopiedOnlyOnceTheyFitOnTheScreen) {
  RunConsoleFrame(0);
  const struct {
    std::uint32_t offset;
    std::vector<LogoBlit> blits;
  } cases[] = {
      {0, {}},
      {36, {}},
      {37, {{Logo::Small, 300, 573}}},
      {66, {{Logo::Small, 300, 544}}},
      {67, {{Logo::Large, 634, 543}, {Logo::Small, 300, 543}}},
  };
  for (const auto& c : cases) {
    doubles::logos.blits.clear();
    app.consoleTop = screenHeight - static_cast<std::int32_t>(c.offset);
    BlitLogos();
    EXPECT_EQ(doubles::logos.blits, c.blits) << "offset " << c.offset;
  }
}

}  // namespace
