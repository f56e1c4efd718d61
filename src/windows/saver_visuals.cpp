#include "windows/saver_visuals.h"

#include <windows.h>

#include <mmsystem.h>  // timeBeginPeriod, left out by WIN32_LEAN_AND_MEAN

#include <cstdint>

#include "app/frame_driver.h"
#include "app/run.h"
#include "platform/clock.h"
#include "software/memory_frame.h"

namespace {

constexpr std::uint64_t kMicrosecondsPerMillisecond = 1000;
// Without it Windows ends a timed wait on its 15.6 ms tick: 1/60 s would last 31 ms.
constexpr UINT kTimerResolutionMs = 1;

// Handles every waiting message. False once WM_QUIT came.
bool HandleWaitingMessages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
    if (message.message == WM_QUIT) {
      return false;
    }
    DispatchMessageA(&message);
  }
  return true;
}

// Sleeps until a message arrives or `dueUs` has come, rounded up to the next millisecond so
// that the loop never wakes early and spins.
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

// Messages are taken while the loop rests until the next pass is due.
void RunPacedLoop() {
  std::uint64_t dueUs = GetMicroseconds();
  while (HandleWaitingMessages()) {
    if (GetMicroseconds() >= dueUs) {
      const LoopPass pass = RunLoopPass();
      if (!pass.goOn) {
        return;
      }
      dueUs = pass.dueUs;
    }
    RestUntil(dueUs);
  }
}

}  // namespace

bool RunSaverVisuals(const RunSettings& settings) {
  const bool started =
      CreateMemoryFrame() && StartRun(GetTickCount(), RunOpening::Visuals, settings);
  if (started) {
    timeBeginPeriod(kTimerResolutionMs);
    RunPacedLoop();
    timeEndPeriod(kTimerResolutionMs);
  }
  EndRun();
  ReleaseMemoryFrame();
  return started;
}
