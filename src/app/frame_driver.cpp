#include "app/frame_driver.h"

#include "app/frame_pacing.h"
#include "plasma/frame_composition.h"
#include "plasma/model_selection.h"
#include "plasma/model_space.h"
#include "plasma/scaled_composition.h"
#include "plasma/scaled_evaluation.h"
#include "plasma/scaled_picture.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/row_bands.h"
#include "ring/ring_animation.h"
#include "ring/ring_generators.h"
#include "state/app_state.h"
#include "ui/console_panel.h"
#include "ui/console_slide.h"
#include "ui/console_text.h"
#include "ui/intro_page.h"

namespace {

void DrawIntroFrame() {
  ClearFrame();
  app.modelClockMs = 0;  // the model's time starts with the visuals
  OpenFrameText();
  DrawIntroPage();
  CloseFrameText();
}

// The picture at a size of the platform's choosing other than the classic one: the model's field
// at that size (made again after each model switch and size change), composed on every core down
// to the console's band, and the glow above the band.
void DrawScaledPicture() {
  const FrameView picture = app.frame;
  if (!PrepareScaledPicture(picture.width, picture.height)) {
    return;  // no memory for this size: the frame keeps its last picture
  }
  if (!app.scaledIndexReady) {
    ForRowBands(picture.height, [](std::int32_t first, std::int32_t end) {
      EvaluateModelInto(app.ScaledIndex, app.scaledWidth, app.scaledHeight, first, end);
    });
    app.scaledIndexReady = true;
    // As SwitchModel does after its evaluation: the model's time, and with it the 600 ms of the
    // colour ring's fade-in, starts after the work of making the field, however long it took.
    app.frameTick = GetTicks();
  }
  const double scale = ModelScale(picture.width, picture.height);
  app.scaledConsoleTop = picture.height - ConsoleRowsAt(scale);
  ForRowBands(picture.height, [](std::int32_t first, std::int32_t end) {
    ComposeFrameInto(app.frame, app.ScaledIndex, app.scaledConsoleTop, first, end);
  });
  DrawConsoleGlowAt(picture, app.scaledConsoleTop, scale);
  const ClassicColumns box = ClassicColumnsOf(picture.width, scale);
  DrawConsoleBandMargins(picture, app.scaledConsoleTop, scale, box.first, box.end);
}

bool IsClassicFrame(const FrameView& frame) {
  return frame.width == screenWidth && frame.height == screenHeight;
}

void DrawRunningFrame() {
  // A failed lock leaves no pixel pointer: skip the pixel work and the unlock, keep the frame.
  if (LockFrame(FrameLayer::Picture)) {
    AnimateColorRing();
    app.consoleTop = screenHeight - static_cast<std::int32_t>(app.consoleOffset);
    if (IsClassicFrame(app.frame)) {
      ComposeFrame();
      DrawConsolePanel();
      UnlockFrame();
    } else {
      DrawScaledPicture();
      UnlockFrame();
      if (LockFrame(FrameLayer::Console)) {
        DrawConsoleBand();
        UnlockFrame();
      }
    }
  }
  BlitLogos();
  OpenFrameText();
  DrawConsoleText();
  CloseFrameText();
}

}  // namespace

void StartFrameClocks() {
  const std::uint32_t startTick = GetTicks();
  app.lastFrameTick = startTick;
  app.fpsTick = startTick;
  app.started = 0;
}

std::int32_t RunFrame() {
  switch (BeginFrame()) {
    case DisplayCheck::NotExclusive:
      return 0;  // clocks untouched: the next drawn frame counts the whole absence
    case DisplayCheck::Failed:
      return 1;
    case DisplayCheck::Ready:
      break;
  }

  app.frameTick = GetTicks();
  app.frameMs = app.frameTick - app.lastFrameTick;
  // Added modulo 2^32: after weeks in MANUAL the sum must wrap, not overflow.
  app.modelClockMs =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(app.modelClockMs) + app.frameMs);
  if (app.modelClockMs > app.playPeriodMs) {
    SwitchModel(-1);
  }

  if (app.started == 0) {
    DrawIntroFrame();
  } else {
    DrawRunningFrame();
  }

  app.lastFrameTick = app.frameTick;
  FinishFrame();
  return 0;
}

void SwitchModel(std::int32_t requested) {
  NewColorRing(1);
  SelectModel(requested);
  app.frameTick = GetTicks();
  app.frameMs = app.frameTick - app.lastFrameTick;
  app.modelClockMs = 0;
}

std::int32_t RunIdlePass() {
  const std::int32_t result = RunFrame();
  AdvanceConsoleSlide();
  return result;
}

LoopPass RunLoopPass() {
  const std::uint64_t startUs = GetMicroseconds();
  const bool goOn = RunIdlePass() == 0;
  return {goOn, NextFrameDueUs(startUs, GetMicroseconds(), DisplayPacesFrames())};
}
