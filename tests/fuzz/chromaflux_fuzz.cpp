// libFuzzer target: the whole program, from the end of start-up to Esc, over the native doubles.
//
// Each input is decoded into loop events (fuzz/loop_events.h) and played as the message loop plays
// them: a key goes to PostKey, a click to PostClick, and a frame is one RunIdlePass, what the
// loop runs whenever no message waits. After every pass the invariants of fuzz/loop_invariants.h
// are checked, the whole-frame ones after every pass that composed a frame. The scene (about 50 MB
// of tables) is prepared once per process, and every input starts from the same state at the end
// of start-up, so an input always plays the same way.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/frame_driver.h"
#include "app/key_commands.h"
#include "app/run.h"
#include "app/scene.h"
#include "doubles/doubles.h"
#include "doubles/test_scene.h"
#include "fuzz/loop_events.h"
#include "fuzz/loop_invariants.h"
#include "state/app_state.h"

namespace {

constexpr std::uint32_t kStartTick = 3600000;  // start-up ends an hour after the machine started

// What this process ran; printed at exit.
struct FuzzTotals {
  unsigned long long inputs = 0;
  unsigned long long passes = 0;       // passes of the main loop
  unsigned long long drawnPasses = 0;  // of them, passes that composed a frame
};
FuzzTotals totals;

void PrintTotals() {
  std::fprintf(stderr, "chromaflux_fuzz: %llu inputs, %llu passes of the main loop, %llu drew\n",
               totals.inputs, totals.passes, totals.drawnPasses);
}

// The state at the end of start-up: the program's own first model and rings drawn from an Rng
// seeded with the start tick, the intro page showing, a back buffer of pitch 800 inside guards.
void StartInput() {
  doubles::PrepareTestScene(kStartTick);
  doubles::ResetDoubles(screenWidth, kGuardWord, kGuardWords);
  doubles::clockTicks = kStartTick;
  StartFrameClocks();
}

enum class DisplayAnswer { Ready, Away, LockRefused };

void RunPass(std::uint32_t ms, DisplayAnswer answer) {
  doubles::clockTicks += ms;
  if (answer == DisplayAnswer::Away) {
    doubles::display.checks.push_back(DisplayCheck::NotExclusive);
  }
  doubles::display.lockFails = answer == DisplayAnswer::LockRefused;
  Require(RunIdlePass() == 0, "no pass ends the loop: only Esc does");
  ++totals.passes;

  const auto& calls = doubles::display.calls;
  const bool composed = std::find(calls.begin(), calls.end(), "UnlockFrame") != calls.end();
  Require(composed == (answer == DisplayAnswer::Ready && app.started != 0),
          "a frame is composed when the display is ready, the lock taken and the visuals on");
  CheckPassInvariants();
  if (composed) {
    ++totals.drawnPasses;
    CheckIndexField();
    CheckComposedRows();
  }
  // The records are for tests that look at one frame; here they would only grow.
  doubles::display.calls.clear();
  doubles::text.texts.clear();
  doubles::logos.blits.clear();
}

// A surface restored with another pitch: fresh memory inside fresh guards; the clock runs on.
void SetPitch(std::uint32_t pitch) {
  const std::uint32_t now = doubles::clockTicks;
  doubles::ResetDoubles(static_cast<std::int32_t>(pitch), kGuardWord, kGuardWords);
  doubles::clockTicks = now;
}

// The same run on a machine whose clock stands `msBeforeWrap` ms before the 2^32 wrap: every tick
// the program holds moves with the clock, so every tick difference stays as it was. A blink tick
// of 0 marks a prompt that never blinked and stays 0.
void MoveClockBeforeWrap(std::uint32_t msBeforeWrap) {
  const std::uint32_t shift = (0xFFFFFFFFu - msBeforeWrap) - doubles::clockTicks;
  doubles::clockTicks += shift;
  app.frameTick += shift;
  app.lastFrameTick += shift;
  app.fpsTick += shift;
  if (app.blinkTick != 0) {
    app.blinkTick += shift;
  }
}

// Esc asks the platform to end its loop (exit code 0) and is no command: the state it leaves is
// the state it found.
void PressEscape(std::uint32_t count) {
  const AppState before = app;
  for (std::uint32_t i = 0; i < count; ++i) {
    Require(PostKey(kKeyEscape) == RunRequest::End, "Esc ends the run");
  }
  Require(app.rngState == before.rngState && app.currentModel == before.currentModel &&
              app.playPeriodMs == before.playPeriodMs && app.slideState == before.slideState &&
              app.modelClockMs == before.modelClockMs && app.tabPressed == before.tabPressed,
          "Esc is no command in the core");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  app.settings.classic = true;  // the display double's frame is the classic one
  Require(PrepareScene(), "the scene's memory can be had");
  std::atexit(PrintTotals);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ++totals.inputs;
  StartInput();
  LoopEventReader reader{data, size};
  LoopEvent event{};
  bool quit = false;
  while (!quit && NextLoopEvent(reader, event)) {
    switch (event.kind) {
      case LoopEventKind::Frame:
        RunPass(event.value, DisplayAnswer::Ready);
        break;
      case LoopEventKind::Keys:
        for (std::uint32_t i = 0; i < event.count; ++i) {
          Require(PostKey(event.value) == RunRequest::GoOn, "only Esc ends the run");
        }
        break;
      case LoopEventKind::Click:
        PostClick();
        break;
      case LoopEventKind::Absence:
        for (std::uint32_t i = 0; i < event.count; ++i) {
          RunPass(event.value, DisplayAnswer::Away);
        }
        break;
      case LoopEventKind::RefusedLock:
        RunPass(event.value, DisplayAnswer::LockRefused);
        break;
      case LoopEventKind::Pitch:
        SetPitch(event.value);
        break;
      case LoopEventKind::TickWrap:
        MoveClockBeforeWrap(event.value);
        break;
      case LoopEventKind::Escape:
        PressEscape(event.count);
        quit = true;
        break;
    }
  }
  // Whether Esc came or the input ran out, the program is whole.
  CheckPassInvariants();
  CheckIndexField();
  // What this input allocated goes with it: libFuzzer runs an input twice, looking for a leak,
  // when it leaves more allocations than it found.
  doubles::display = {};
  doubles::text = {};
  doubles::logos = {};
  return 0;
}
