#include "windows/saver_visuals.h"

#include <windows.h>

#include <mmsystem.h>  // timeBeginPeriod, left out by WIN32_LEAN_AND_MEAN

#include <cstdint>

#include "app/resting_loop.h"
#include "app/run.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "windows/saver_display.h"

namespace {

constexpr std::uint64_t kMicrosecondsPerMillisecond = 1000;
// Without it Windows ends a timed wait on its 15.6 ms tick: 1/60 s would last 31 ms.
constexpr UINT kTimerResolutionMs = 1;

}  // namespace

// Every waiting message is dispatched: the window procedure turns input into the end of the run
// (PostQuitMessage), and WM_QUIT ends it.
bool TakeWaitingInput() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    if (message.message == WM_QUIT) {
      return false;
    }
    DispatchMessageA(&message);
  }
  return true;
}

// A message wait, rounded up to the next millisecond so that the loop never spins.
void RestUntil(std::uint64_t dueUs) {
  const std::uint64_t nowUs = GetMicroseconds();
  if (dueUs <= nowUs) {
    return;
  }
  const std::uint64_t restUs = dueUs - nowUs;
  const auto restMs =
      static_cast<DWORD>((restUs + kMicrosecondsPerMillisecond - 1) / kMicrosecondsPerMillisecond);
  MsgWaitForMultipleObjects(0, nullptr, FALSE, restMs, QS_ALLINPUT);
}

// A run that the GL renderer could not start, or whose display was lost with the window still
// there, begins again with the software renderer.
bool RunSaverVisuals(const RunSettings& settings) {
  for (;;) {
    const bool started =
        StartRun(GetTickCount(), RunOpening::Visuals, settings, SaverDisplayRenderer());
    LoopEnd end = LoopEnd::Input;
    if (started) {
      timeBeginPeriod(kTimerResolutionMs);
      end = RunRestingLoop();
      timeEndPeriod(kTimerResolutionMs);
    }
    EndRun();
    if ((started && end == LoopEnd::Input) || !FallBackToSoftware()) {
      return started;
    }
  }
}
