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

// A picture at a size of the platform's choosing other than the classic one, in the locked
// frame: the model's field at that size (made again after each model switch and size change),
// composed on every core down to the console's band, with the glow above the band where the
// picture carries the console.
void DrawScaledPicture(ScaledPicture& picture, bool carriesConsole) {
  const FrameView view = app.frame;
  if (!PrepareScaledPicture(picture, view.width, view.height)) {
    return;  // no memory for this size: the frame keeps its last picture
  }
  if (!picture.indexReady) {
    ForRowBands(view.height, [&picture](std::int32_t first, std::int32_t end) {
      EvaluateModelInto(picture.Index, picture.width, picture.height, first, end);
    });
    picture.indexReady = true;
    // As SwitchModel does after its evaluation: the model's time, and with it the 600 ms of the
    // colour ring's fade-in, starts after the work of making the field, however long it took.
    app.frameTick = GetTicks();
  }
  const double scale = ModelScale(view.width, view.height);
  picture.consoleTop = carriesConsole ? view.height - ConsoleRowsAt(scale) : view.height;
  ForRowBands(view.height, [&picture](std::int32_t first, std::int32_t end) {
    ComposeFrameInto(app.frame, picture, picture.Index, picture.consoleTop, first, end);
  });
  if (carriesConsole) {
    DrawConsoleGlowAt(view, picture.consoleTop, scale);
    const ClassicColumns box = ClassicColumnsOf(view.width, scale);
    DrawConsoleBandMargins(view, picture.consoleTop, scale, box.first, box.end);
  }
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
      DrawScaledPicture(app.pictures[0], true);
      UnlockFrame();
      if (LockFrame(FrameLayer::Console)) {
        DrawConsoleBand();
        UnlockFrame();
      }
    }
    // The other screens' pictures: the same model and colours, at their own sizes.
    for (std::int32_t i = 1; i < FramePictureCount(); ++i) {
      if (LockFrame(FrameLayer::Picture, i)) {
        DrawScaledPicture(app.pictures[i], false);
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
