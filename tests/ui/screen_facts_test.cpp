// The screen facts that the harnesses read the screen by (scripts/lib/screen-facts.env) are the
// program's own: the frame's size, the model count, and where the open console puts its band, its
// white panel and its buttons, with their exact colours, as the program draws them.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "app/layer_layout.h"
#include "doubles/doubles.h"
#include "state/app_state.h"
#include "ui/console_fixture.h"
#include "ui/console_panel.h"
#include "ui/console_slide.h"

namespace {

using doubles::PixelAt;

// KEY=VALUE lines; "#" starts a comment, quotes around a value are dropped.
std::map<std::string, std::string> ReadFacts() {
  std::ifstream file(CHROMAFLUX_SCREEN_FACTS);
  std::map<std::string, std::string> facts;
  std::string line;
  while (std::getline(file, line)) {
    line = line.substr(0, line.find('#'));
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      continue;
    }
    std::string value = line.substr(equals + 1);
    if (value.size() >= 2 && value.front() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    facts[line.substr(0, equals)] = value;
  }
  return facts;
}

class ScreenFacts : public ConsoleFixture {
 protected:
  std::int32_t Number(const std::string& key) {
    EXPECT_EQ(facts_.count(key), 1u) << key;
    return static_cast<std::int32_t>(std::stol(facts_[key], nullptr, 0));
  }
  std::map<std::string, std::string> facts_ = ReadFacts();
};

TEST_F(ScreenFacts, AreWhatTheProgramDraws) {
  EXPECT_EQ(Number("FRAME_WIDTH"), screenWidth);
  EXPECT_EQ(Number("FRAME_HEIGHT"), screenHeight);
  EXPECT_EQ(Number("MODEL_COUNT"), kModelCount);
  const std::int32_t top = Number("CONSOLE_TOP");
  EXPECT_EQ(top, screenHeight - static_cast<std::int32_t>(kConsoleHeight));

  // The open console of model 3 in RANDOM play mode.
  app.currentModel = 3;
  const FrameView frame = LockFrame(FrameLayer::Picture);
  ASSERT_NE(frame.pixels, nullptr);
  app.consoleTop = top;
  LayOutConsole();
  DrawConsolePanel(frame);
  UnlockFrame();
  const auto band = static_cast<std::uint32_t>(Number("CONSOLE_BAND_COLOUR"));
  for (std::int32_t x = 0; x < screenWidth; ++x) {
    ASSERT_EQ(PixelAt(x, top), band) << "column " << x;
  }
  std::istringstream points(facts_["CONSOLE_WHITE_POINTS"]);
  for (std::int32_t x = 0, y = 0; points >> x && points.ignore(1) && points >> y;) {
    EXPECT_EQ(PixelAt(x, y), 0x00FFFFFFu) << x << "," << y;
  }
  // Each button's bottom-right pixel: model 3 selected, the others plain.
  const std::int32_t buttonRight = Number("MODEL_BUTTONS_LEFT") + Number("MODEL_BUTTON_WIDTH") - 1;
  const std::int32_t buttonBottom = Number("MODEL_BUTTONS_TOP") + Number("MODEL_BUTTON_HEIGHT") - 1;
  for (std::int32_t j = 0; j < kModelCount; ++j) {
    EXPECT_EQ(PixelAt(buttonRight + j * Number("MODEL_BUTTON_WIDTH"), buttonBottom),
              static_cast<std::uint32_t>(Number(j == 3 ? "MODEL_SELECTED" : "MODEL_PLAIN")))
        << "button " << j;
  }
  // The play-mode buttons' bottom rows, next to their right columns: RANDOM selected.
  const std::int32_t playBottom = Number("PLAY_MODE_TOP") + Number("PLAY_MODE_HEIGHT") - 1;
  const std::int32_t width = Number("PLAY_MODE_WIDTH");
  EXPECT_EQ(PixelAt(Number("RANDOM_LEFT") + width - 2, playBottom),
            static_cast<std::uint32_t>(Number("PLAY_MODE_SELECTED")));
  EXPECT_EQ(PixelAt(Number("MANUAL_LEFT") + width - 2, playBottom),
            static_cast<std::uint32_t>(Number("PLAY_MODE_PLAIN")));
}

// The layout for a small screen: its thresholds, and the narrow console's model buttons.
TEST_F(ScreenFacts, AreHowTheProgramLaysOutASmallScreen) {
  EXPECT_EQ(Number("TEXT_EM_PIXELS"), kTextEmPx);
  EXPECT_EQ(Number("READABLE_EM_POINTS"), kReadableEmPt);
  EXPECT_EQ(Number("NARROW_CONSOLE_LEAST_WIDTH"), kNarrowConsoleLeastWidth);
  for (const std::int32_t width : {kNarrowConsoleLeastWidth, 390, screenWidth - 1}) {
    app.frame.layer = {width, screenHeight, 3};
    LayOutConsole();
    const std::int32_t perRow = Number("NARROW_BUTTONS_PER_ROW");
    const std::int32_t left = Number("NARROW_CONTROLS_LEFT");
    const std::int32_t buttonWidth = (width - left - Number("NARROW_MARGIN")) / perRow;
    for (std::int32_t j = 0; j < kModelCount; ++j) {
      const ConsolePoint origin = ModelButtonOrigin(j);
      EXPECT_EQ(origin.x, left + buttonWidth * (j % perRow)) << width << ", button " << j;
      EXPECT_EQ(origin.y, Number("NARROW_MODEL_ROW") + Number("MODEL_ROW_STEP") * (j / perRow))
          << width << ", button " << j;
    }
  }
}

}  // namespace
