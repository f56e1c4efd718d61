// SDL's finger events reach the gesture reader on the picture where the window shows it.
#include "sdl/sdl_pointer.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/key_commands.h"
#include "app/layer_layout.h"
#include "state/app_state.h"
#include "ui/console_panel.h"

namespace {

struct Touch {
  Uint32 type;
  float x;  // fractions of the window
  float y;
  Uint32 timestamp;
};

// The command of a finger's events on `window`, read as the desktop program reads them.
PointerCommand ReadFinger(const std::vector<Touch>& touches, const WindowPicture& window) {
  PointerCommand command;
  for (const Touch& touch : touches) {
    SDL_Event event{};
    event.tfinger.type = touch.type;
    event.tfinger.timestamp = touch.timestamp;
    event.tfinger.fingerId = 0x500000002;
    event.tfinger.x = touch.x;
    event.tfinger.y = touch.y;
    const std::optional<PointerEvent> pointer = FingerEventOf(event, window);
    EXPECT_TRUE(pointer.has_value());
    command = ReadPointer(*pointer, PicturePixelsPerPoint(window));
  }
  return command;
}

std::vector<Touch> Tap(float x, float y) {
  return {{SDL_FINGERDOWN, x, y, 100}, {SDL_FINGERUP, x, y, 180}};
}

std::vector<Touch> SwipeLeft(float by) {
  return {{SDL_FINGERDOWN, 0.5f, 0.5f, 100},
          {SDL_FINGERMOTION, 0.5f - by / 2, 0.5f, 150},
          {SDL_FINGERUP, 0.5f - by, 0.5f, 200}};
}

TEST(SdlPointer, FingersReachTheReaderOnThePictureWhereverItLies) {
  app = AppState{};
  app.started = 1;
  app.consoleOffset = 80;
  LayOutConsole();
  const PictureSize screen{1920, 1080};
  const PictureSize classic{800, 600};
  const WindowPicture boxed{screen, screen, classic, 96};    // the classic frame in its box
  const WindowPicture dense{{960, 540}, screen, screen, 0};  // two pixels a point, no DPI
  // Model button 3's middle on the classic frame, as a fraction of the boxed window: the box is
  // 1440 x 1080 from column 240, 1.8 pixels a frame pixel.
  const float buttonX = (240 + (286 + 3 * 24 + 12) * 1.8f) / 1920;
  const float buttonY = (520 + 59) * 1.8f / 1080;
  struct Case {
    const char* what;
    std::vector<Touch> touches;
    WindowPicture window;
    PictureSize picture;
    PointerCommand command;
  };
  const Case cases[] = {
      {"model button 3, classic",
       Tap(buttonX, buttonY),
       boxed,
       classic,
       {PointerCommandKind::Model, 3}},
      {"left of the box", Tap(0.05f, buttonY), boxed, classic, {PointerCommandKind::ShowControls}},
      {"swipe of 96 points", SwipeLeft(0.1f), dense, screen, {PointerCommandKind::Key, kKeyRight}},
      {"swipe of 29 points", SwipeLeft(0.03f), dense, screen, {}},
  };
  for (const Case& c : cases) {
    app.gesture = GestureState{};
    app.frame.pictures[0].size = c.picture;
    app.frame.layer = ChooseLayerLayout(c.picture, FrameContent::Visuals, 1);
    app.frame.pictures[0].bandTop = c.picture.height - ConsoleRowsAt(app.frame.layer.scale);
    const PointerCommand command = ReadFinger(c.touches, c.window);
    EXPECT_EQ(command.kind, c.command.kind) << c.what;
    EXPECT_EQ(command.value, c.command.value) << c.what;
  }
  app = AppState{};
}

}  // namespace
