#include "ui/console_slide.h"

#include "state/app_state.h"

namespace {

// One 5 ms step of the slide:
//   Opening: offset < 80 -> offset + 1;  offset >= 80 -> Idle
//   Closing: offset > 0  -> offset - 1;  offset == 0 -> Idle
//   Idle:    nothing
void StepSlide() {
  switch (app.slideState) {
    case SlideState::Opening:
      if (app.consoleOffset >= kConsoleHeight) {
        app.slideState = SlideState::Idle;
      } else {
        ++app.consoleOffset;
      }
      break;
    case SlideState::Closing:
      if (app.consoleOffset == 0) {
        app.slideState = SlideState::Idle;
      } else {
        --app.consoleOffset;
      }
      break;
    case SlideState::Idle:
      break;
  }
}

}  // namespace

// TAB: Opening <-> Closing; Idle goes toward the other end from where the console stands.
// The offset stays: a reversal mid-way returns from the current row.
void ToggleConsole() {
  app.tabPressed = 1;
  switch (app.slideState) {
    case SlideState::Opening:
      app.slideState = SlideState::Closing;
      break;
    case SlideState::Closing:
      app.slideState = SlideState::Opening;
      break;
    case SlideState::Idle:
      app.slideState = app.consoleOffset != 0 ? SlideState::Closing : SlideState::Opening;
      break;
  }
}

bool ConsoleComesIn() {
  return app.slideState == SlideState::Opening ||
         (app.slideState == SlideState::Idle && app.consoleOffset != 0);
}

void AdvanceConsoleSlide() {
  app.slideAccumMs += app.frameMs;  // modulo 2^32
  if (app.slideAccumMs <= kSlideStepMs) {
    return;
  }
  // Every whole step above the last 1 ... 5 ms is paid for in every state, Idle included, so
  // idle time never piles up into a jump after the next TAB.
  std::uint32_t steps = (app.slideAccumMs - kSlideStepMs - 1) / kSlideStepMs + 1;
  app.slideAccumMs -= steps * kSlideStepMs;
  // Once Idle, the remaining steps change nothing: a long frame costs at most 81 real steps.
  for (; steps > 0 && app.slideState != SlideState::Idle; --steps) {
    StepSlide();
  }
}
