#include "sdl/sdl_input.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include <SDL2/SDL.h>

#include "app/pointer_gestures.h"
#include "app/run.h"
#include "gl/gl_renderer.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "sdl/foreign_window.h"
#include "sdl/gl_window.h"
#include "sdl/sdl_display.h"
#include "sdl/sdl_keys.h"
#include "sdl/sdl_pointer.h"
#include "sdl/stop_signal.h"
#include "software/software_renderer.h"

namespace {

constexpr std::uint64_t kMicrosecondsPerMillisecond = 1000;

// The input's own state during a run.
struct SdlInput {
  WindowOwner owner = WindowOwner::Own;
  bool displayLost = false;  // the run ended because the display could not be made again
};

SdlInput input;

// What the core hands back of a pointer command: the desktop's full screen. The touch controls
// are the page's; the window has the keys.
void RunOnDesktop(PointerCommand command) {
  if (RunPointerCommand(command).kind == PointerCommandKind::FullScreen) {
    ToggleFullscreen();
  }
}

// False when the event ends the run.
bool HandleEvent(const SDL_Event& event) {
  const bool userInput = event.type == SDL_KEYDOWN || event.type == SDL_MOUSEBUTTONDOWN ||
                         event.type == SDL_FINGERDOWN;
  if (userInput && input.owner == WindowOwner::Foreign) {
    return true;
  }
  switch (event.type) {
    case SDL_QUIT:
      return false;
    case SDL_KEYDOWN: {
      const SDL_Keysym& key = event.key.keysym;
      if (IsFullscreenToggle(key.sym, key.mod)) {
        if (event.key.repeat == 0) {  // a held key switches once
          ToggleFullscreen();
        }
        return true;
      }
      if (IsPictureToggle(key.sym, key.mod)) {
        if (event.key.repeat == 0) {
          ToggleClassicFrame();
        }
        return true;
      }
      const std::uint32_t virtualKey = VirtualKeyOf(key.sym, key.mod);
      return virtualKey == 0 || PostKey(virtualKey) != RunRequest::End;
    }
    case SDL_MOUSEBUTTONDOWN:
      // A touch's own mouse button is the finger's: the gesture reader has it.
      if (event.button.button == SDL_BUTTON_LEFT && event.button.which != SDL_TOUCH_MOUSEID) {
        const PicturePoint at =
            ToPicture(event.button.x, event.button.y, CurrentWindowPicture(SdlDisplayWindow()));
        RunOnDesktop(ReadClick(at.x, at.y));
      }
      return true;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: {
      const WindowPicture window = CurrentWindowPicture(SdlDisplayWindow());
      RunOnDesktop(ReadPointer(*FingerEventOf(event, window), PicturePixelsPerPoint(window)));
      return true;
    }
    case SDL_RENDER_DEVICE_RESET:
      ReportRendererReset();
      return true;
    default:
      return true;
  }
}

// A stop signal or the foreign window's end ends the run. SDL reads a foreign window's size only
// when it takes the window, so after a resize the display is opened on the window again.
bool FollowForeignWindow() {
  if (StopRequested()) {
    return false;
  }
  switch (CheckForeignWindow()) {
    case ForeignWindowNews::Gone:
      return false;
    case ForeignWindowNews::Resized:
      // The GL renderer's context follows the window's size by itself (sdl/gl_window.h).
      if (GlWindowIsOpen()) {
        return true;
      }
      CloseSdlDisplay();
      input.displayLost = !OpenSdlDisplayOn(ForeignWindowId(), SdlDrawing::Software);
      return !input.displayLost;
    case ForeignWindowNews::Unchanged:
      break;
  }
  return true;
}

}  // namespace

bool RestoreLostGlDrawing() {
  const bool foreign = input.owner == WindowOwner::Foreign;
  std::string problem;
  if (OpenGlWindow(SdlDisplayWindow(), foreign, problem) && SwitchRenderer(GlRenderer())) {
    std::fprintf(stderr, "chromaflux: the OpenGL context was lost and is made again\n");
    return true;
  }
  if (problem.empty()) {
    problem = GlRendererProblem();
  }
  std::fprintf(stderr, "chromaflux: software renderer (the OpenGL context was lost: %s)\n",
               problem.c_str());
  CloseGlWindow();
  CloseSdlDisplay();
  const bool opened = foreign ? OpenSdlDisplayOn(ForeignWindowId(), SdlDrawing::Software)
                              : OpenSdlDisplay(SdlDrawing::Software);
  input.displayLost = !opened || !SwitchRenderer(SoftwareRenderer());
  return !input.displayLost;
}

void TakeInputFor(WindowOwner owner) {
  input = SdlInput{};
  input.owner = owner;
}

bool DisplayWasLost() {
  return input.displayLost;
}

bool TakeWaitingInput() {
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    if (!HandleEvent(event)) {
      return false;
    }
  }
  if (GlWindowIsOpen() && GlWindowWasLost() && !RestoreLostGlDrawing()) {
    return false;
  }
  SetPixelsPerPoint(PicturePixelsPerPoint(CurrentWindowPicture(SdlDisplayWindow())));
  return input.owner == WindowOwner::Own || FollowForeignWindow();
}

// SDL's wait, rounded up to the next millisecond so that the loop never spins; an event ends it
// early and stays queued for TakeWaitingInput.
void RestUntil(std::uint64_t dueUs) {
  const std::uint64_t nowUs = GetMicroseconds();
  if (dueUs <= nowUs) {
    return;
  }
  const std::uint64_t restMs =
      (dueUs - nowUs + kMicrosecondsPerMillisecond - 1) / kMicrosecondsPerMillisecond;
  SDL_WaitEventTimeout(nullptr, static_cast<int>(restMs));
}
