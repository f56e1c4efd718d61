#include "windows/saver_visuals.h"

#include <windows.h>

#include <mmsystem.h>  // timeBeginPeriod, left out by WIN32_LEAN_AND_MEAN

#include <cstdint>

#include "app/frame_driver.h"
#include "app/frame_pacing.h"
#include "app/run.h"
#include "software/memory_frame.h"

namespace {

constexpr std::int64_t kMicrosecondsPerSecond = 1000000;
constexpr std::int64_t kMicrosecondsPerMillisecond = 1000;
// Without it Windows ends a timed wait on its 15.6 ms tick: 1/60 s would last 31 ms.
constexpr UINT kTimerResolutionMs = 1;

// The performance counter in microseconds, split so that no product can overflow.
std::int64_t NowUs() {
  LARGE_INTEGER counter{};
  LARGE_INTEGER frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return counter.QuadPart / frequency.QuadPart * kMicrosecondsPerSecond +
         counter.QuadPart % frequency.QuadPart * kMicrosecondsPerSecond / frequency.QuadPart;
}

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
void RestUntil(std::int64_t dueUs) {
  const std::int64_t restUs = dueUs - NowUs();
  if (restUs <= 0) {
    return;
  }
  const auto restMs =
      static_cast<DWORD>((restUs + kMicrosecondsPerMillisecond - 1) / kMicrosecondsPerMillisecond);
  MsgWaitForMultipleObjects(0, nullptr, FALSE, restMs, QS_ALLINPUT);
}

// GDI presents at once: the pacer keeps 60 frames a second, and messages are taken meanwhile.
void RunPacedLoop() {
  std::int64_t nextFrameUs = NowUs();
  while (HandleWaitingMessages()) {
    const std::int64_t nowUs = NowUs();
    if (nowUs >= nextFrameUs) {
      if (RunIdlePass() != 0) {
        return;
      }
      nextFrameUs = static_cast<std::int64_t>(NextFrameDueUs(
          static_cast<std::uint64_t>(nextFrameUs), static_cast<std::uint64_t>(nowUs), false));
    }
    RestUntil(nextFrameUs);
  }
}

}  // namespace

bool RunSaverVisuals() {
  const bool started = CreateMemoryFrame() && StartRun(GetTickCount(), RunOpening::Visuals);
  if (started) {
    timeBeginPeriod(kTimerResolutionMs);
    RunPacedLoop();
    timeEndPeriod(kTimerResolutionMs);
  }
  EndRun();
  ReleaseMemoryFrame();
  return started;
}
