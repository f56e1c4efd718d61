#include "app/pointer_gestures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "app/key_commands.h"
#include "app/layer_layout.h"
#include "app/run.h"
#include "doubles/test_scene.h"
#include "plasma/model_space.h"
#include "state/app_state.h"
#include "ui/console_panel.h"

namespace {

using Phase = PointerPhase;
using Kind = PointerCommandKind;

struct Step {
  Phase phase;
  std::int32_t id;
  double x;
  double y;
  std::uint32_t tick;
};

// A tap with one finger at (x, y) from `tick`.
std::vector<Step> TapAt(double x, double y, std::uint32_t tick = 1000) {
  return {{Phase::Down, 7, x, y, tick}, {Phase::Up, 7, x + 2, y - 1, tick + 90}};
}

// One finger from (400, 300) by (dx, dy) over `ms`, with a move on the way.
std::vector<Step> Drag(double dx, double dy, std::uint32_t ms) {
  return {{Phase::Down, 3, 400, 300, 1000},
          {Phase::Move, 3, 400 + dx / 2, 300 + dy / 2, 1000 + ms / 2},
          {Phase::Up, 3, 400 + dx, 300 + dy, 1000 + ms}};
}

// The command of the last event of `steps`; every earlier one must give none.
PointerCommand Read(const std::vector<Step>& steps, double pixelsPerPoint = 1) {
  PointerCommand last;
  for (const Step& step : steps) {
    EXPECT_EQ(last.kind, Kind::None);
    last = ReadPointer({step.phase, step.id, step.x, step.y, step.tick}, pixelsPerPoint);
  }
  return last;
}

class PointerGestures : public ::testing::Test {
 protected:
  void SetUp() override {
    doubles::PrepareTestScene();
    app.started = 1;
    ShowPicture({800, 600});
  }

  // Picture 0 at `size` as the frame driver describes it, the console as it stands.
  static void ShowPicture(PictureSize size, double pixelsPerPoint = 1) {
    PictureDescription& picture = app.frame.pictures[0];
    picture.size = size;
    app.frame.layer = ChooseLayerLayout(size, FrameContent::Visuals, pixelsPerPoint);
    picture.bandTop = size.height - ConsoleRowsAt(app.frame.layer.scale);
    LayOutConsole();
  }

  static void OpenConsole() {
    app.consoleOffset = 80;
    app.consoleTop = screenHeight - 80;
  }
};

TEST_F(PointerGestures, SequencesGiveTheirCommands) {
  struct Case {
    const char* what;
    std::vector<Step> steps;
    double pixelsPerPoint;
    PointerCommand command;
  };
  const std::vector<Case> cases = {
      {"tap", TapAt(400, 300), 1, {Kind::ShowControls}},
      {"swipe left", Drag(-120, 10, 300), 1, {Kind::Key, kKeyRight}},
      {"swipe right", Drag(120, -10, 300), 1, {Kind::Key, kKeyLeft}},
      {"swipe up, console out", Drag(5, -90, 300), 1, {Kind::Key, kKeyTab}},
      {"swipe down, console out", Drag(5, 90, 300), 1, {}},
      {"short drag", Drag(30, 0, 100), 1, {}},
      {"slow drag", Drag(200, 0, 1500), 1, {}},
      {"diagonal", Drag(80, 80, 300), 1, {}},
      {"swipe too short in points", Drag(-110, 0, 300), 3, {}},
      {"tap in points",
       {{Phase::Down, 7, 10, 10, 0}, {Phase::Up, 7, 40, 10, 50}},
       3,
       {Kind::ShowControls}},
      {"long press",
       {{Phase::Down, 1, 50, 50, 0}, {Phase::Up, 1, 52, 50, 700}},
       1,
       {Kind::Key, kKeyZ}},
      {"two-finger tap",
       {{Phase::Down, 1, 300, 300, 0},
        {Phase::Down, 2, 500, 300, 30},
        {Phase::Up, 2, 501, 300, 120},
        {Phase::Up, 1, 300, 301, 140}},
       1,
       {Kind::Key, kKeyA}},
      {"pinch",
       {{Phase::Down, 1, 300, 300, 0},
        {Phase::Down, 2, 500, 300, 30},
        {Phase::Move, 1, 200, 300, 100},
        {Phase::Up, 1, 200, 300, 150},
        {Phase::Up, 2, 600, 300, 160}},
       1,
       {}},
      {"three fingers",
       {{Phase::Down, 1, 300, 300, 0},
        {Phase::Down, 2, 400, 300, 10},
        {Phase::Down, 3, 500, 300, 20},
        {Phase::Up, 3, 500, 300, 80},
        {Phase::Up, 1, 300, 300, 90},
        {Phase::Up, 2, 400, 300, 100}},
       1,
       {}},
      {"cancelled swipe",
       {{Phase::Down, 4, 400, 300, 0}, {Phase::Cancel, 4, 200, 300, 100}},
       1,
       {}},
  };
  for (const Case& c : cases) {
    app.gesture = GestureState{};
    const PointerCommand command = Read(c.steps, c.pixelsPerPoint);
    EXPECT_EQ(command.kind, c.command.kind) << c.what;
    EXPECT_EQ(command.value, c.command.value) << c.what;
  }
}

TEST_F(PointerGestures, ASecondTapNearAndSoonIsADoubleTap) {
  EXPECT_EQ(Read(TapAt(100, 100, 0)).kind, Kind::ShowControls);
  EXPECT_EQ(Read(TapAt(110, 105, 300)).kind, Kind::FullScreen);
  EXPECT_EQ(Read(TapAt(110, 105, 500)).kind, Kind::ShowControls);   // a third starts anew
  EXPECT_EQ(Read(TapAt(200, 105, 700)).kind, Kind::ShowControls);   // too far
  EXPECT_EQ(Read(TapAt(200, 105, 1200)).kind, Kind::ShowControls);  // too late
}

TEST_F(PointerGestures, VerticalSwipesMoveTheConsoleOnlyTheirWay) {
  OpenConsole();
  EXPECT_EQ(Read(Drag(0, -90, 300)).kind, Kind::None);
  EXPECT_EQ(Read(Drag(0, 90, 300)).value, kKeyTab);
}

TEST_F(PointerGestures, IntroPageTapStartsAndClicksKeepTheirMeaning) {
  app.started = 0;
  EXPECT_EQ(Read(TapAt(400, 300)).kind, Kind::Start);
  app.started = 1;
  EXPECT_EQ(ReadClick(400, 300).kind, Kind::Start);
}

TEST_F(PointerGestures, TapsAndClicksOnTheConsoleAtTwoSizes) {
  OpenConsole();
  // Classic points (column, console row) and what a tap there does; RANDOM is the play mode.
  struct Case {
    double column;
    double row;
    PointerCommand command;
  };
  const Case cases[] = {
      {286 + 12, 59, {Kind::Model, 0}},
      {286 + 13 * 24 + 3, 53, {Kind::Model, 13}},
      {286 + 5 * 24 + 20, 65, {Kind::Model, 5}},
      {300, 43, {Kind::Key, kKeyQ}},
      {380, 43, {Kind::ShowControls}},
      {230, 42, {Kind::Key, kKeyQ}},
      {500, 74, {Kind::Key, kKeyZ}},
      {240, 68, {Kind::Key, kKeyZ}},
      {700, 43, {Kind::ShowControls}},
      {50, 30, {Kind::ShowControls}},
  };
  // The classic frame, a screen at its model scale, and a phone on its side, whose console is
  // drawn larger than its model scale so that it can be read.
  struct Screen {
    PictureSize size;
    double pixelsPerPoint;
  };
  for (const Screen screen :
       {Screen{{800, 600}, 1}, Screen{{1920, 1080}, 1}, Screen{{2532, 1170}, 3}}) {
    const PictureSize size = screen.size;
    ShowPicture(size, screen.pixelsPerPoint);
    const double scale = app.frame.layer.scale;
    const PictureDescription& picture = app.frame.pictures[0];
    for (const Case& c : cases) {
      const double x = (c.column + 0.5 - kModelCentreX) * scale + size.width / 2.0;
      const double y = picture.bandTop + (c.row + 0.5) * scale;
      app.gesture = GestureState{};
      const PointerCommand tap = Read(TapAt(x, y));
      EXPECT_EQ(tap.kind, c.command.kind) << size.width << " at " << c.column << ", " << c.row;
      EXPECT_EQ(tap.value, c.command.value) << size.width << " at " << c.column << ", " << c.row;
      const PointerCommand click = ReadClick(x, y);
      const Kind clickKind = c.command.kind == Kind::ShowControls ? Kind::Start : c.command.kind;
      EXPECT_EQ(click.kind, clickKind) << size.width << " click at " << c.column;
    }
  }
}

// A run driven by gestures is the run its keys drive.
TEST_F(PointerGestures, GesturesRunTheirKeysCommands) {
  const auto state = [] {
    return std::vector<std::uint32_t>{static_cast<std::uint32_t>(app.currentModel), app.rngState,
                                      static_cast<std::uint32_t>(app.slideState),
                                      static_cast<std::uint32_t>(app.playPeriodMs),
                                      app.targetRing[1]};
  };
  for (const std::uint32_t key : {kKeyRight, kKeyA, kKeyZ, kKeyTab, kKeyQ}) {
    PostKey(key);
  }
  const std::vector<std::uint32_t> byKeys = state();

  SetUp();
  const std::vector<std::vector<Step>> gestures = {
      Drag(-120, 0, 200),
      {{Phase::Down, 1, 300, 300, 0},
       {Phase::Down, 2, 500, 300, 10},
       {Phase::Up, 1, 300, 300, 60},
       {Phase::Up, 2, 500, 300, 70}},
      {{Phase::Down, 1, 50, 50, 0}, {Phase::Up, 1, 50, 50, 900}},
      Drag(0, -100, 200),
  };
  for (const std::vector<Step>& gesture : gestures) {
    EXPECT_EQ(RunPointerCommand(Read(gesture)).kind, Kind::None);
  }
  OpenConsole();
  ShowPicture({800, 600});
  RunPointerCommand(Read(TapAt(300, 520 + 43)));  // MANUAL
  EXPECT_EQ(state(), byKeys);
}

}  // namespace
