// The entry point of the SDL program: start-up, the event loop and shutdown.
//
// The loop is the core's resting loop (app/resting_loop.h) over SDL's events (sdl_input.h): every
// waiting event first, then one idle pass (a frame and a console slide step), then a rest, in
// step with the display's refresh or else for the rest of 1/60 s.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <SDL2/SDL.h>

#include "app/resting_loop.h"
#include "app/run.h"
#include "gl/gl_renderer.h"
#include "sdl/command_line.h"
#include "sdl/foreign_window.h"
#include "sdl/gl_window.h"
#include "sdl/picture_render.h"
#include "sdl/renderer_choice.h"
#include "sdl/sdl_display.h"
#include "sdl/sdl_input.h"
#include "sdl/stop_signal.h"
#include "software/software_renderer.h"
#include "version.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Whether SDL found a display someone can see. With none, SDL falls back to drivers that draw
// nowhere ("offscreen", "dummy"); a visual toy running there unseen has failed to start, unless
// someone asked for such a driver by name (SDL_VIDEODRIVER).
bool DisplayIsVisible() {
  const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (requested != nullptr && requested[0] != '\0') {
    return true;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "offscreen") != 0 &&
         std::strcmp(driver, "dummy") != 0;
}

// Reports a failure on standard error.
int Report(const char* what, const char* why) {
  std::fprintf(stderr, "chromaflux: %s%s%s\n", what, why[0] != '\0' ? ": " : "", why);
  return kExitFailure;
}

// Reports a start-up failure on standard error and, where SDL can show one, in a message box.
int Fail(const char* what, const char* why) {
  Report(what, why);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "error", what, SdlDisplayWindow());
  return kExitFailure;
}

// The performance counter in `unitsPerSecond`, split so that no product can overflow.
std::uint64_t CounterIn(std::uint64_t unitsPerSecond) {
  const std::uint64_t counter = SDL_GetPerformanceCounter();
  const std::uint64_t frequency = SDL_GetPerformanceFrequency();
  return counter / frequency * unitsPerSecond + counter % frequency * unitsPerSecond / frequency;
}

// --help, --version and usage errors: prints the answer and gives the exit code; -1 to run.
int AnswerCommandLine(const CommandLine& commandLine) {
  switch (commandLine.action) {
    case CommandAction::ShowHelp:
      std::fputs(kUsageText, stdout);
      return 0;
    case CommandAction::ShowVersion:
      std::printf("chromaflux %s\n", kChromafluxVersion);
      return 0;
    case CommandAction::UsageError:
      std::fprintf(stderr, "chromaflux: %s; see chromaflux --help\n", commandLine.problem.c_str());
      return kExitUsage;
    case CommandAction::Run:
      break;
  }
  return -1;
}

// SDL's tick count starts at 0 with the program, so it would seed every run alike; the
// performance counter runs from the machine's start, like the Windows tick count.
std::uint32_t StartSeed() {
  return static_cast<std::uint32_t>(CounterIn(kMillisecondsPerSecond));
}

// Gives back what a run on SDL took, in the one order: the run (whose GL renderer gives back its
// textures while their context lives), the context, the window, SDL itself. Each step is harmless
// where its part was never taken.
void EndSdlRun() {
  EndRun();
  CloseGlWindow();
  CloseSdlDisplay();
  SDL_Quit();
}

bool OpenOwnWindow(SdlDrawing drawing) {
  return OpenSdlDisplay(drawing);
}

bool OpenForeign(SdlDrawing drawing) {
  return OpenSdlDisplayOn(ForeignWindowId(), drawing);
}

// Starts the run with the renderer the window was opened for; false, reported through `fail`,
// where it cannot start.
bool StartOn(WindowRenderer renderer, std::uint32_t seed, RunOpening opening,
             const RunSettings& settings, int (*fail)(const char*, const char*)) {
  const bool gl = renderer == WindowRenderer::Gl;
  if (StartRun(seed, opening, settings, gl ? GlRenderer() : SoftwareRenderer())) {
    return true;
  }
  CloseGlWindow();
  CloseSdlDisplay();  // give the desktop back so that the message can be read
  fail(gl ? "the GL renderer cannot start" : "not enough memory", gl ? GlRendererProblem() : "");
  return false;
}

// Runs the started run on SDL's input until it ends: 0 on input, else (the display lost for
// good) the failure, reported.
int RunOnSdl(WindowOwner owner) {
  TakeInputFor(owner);
  if (RunRestingLoop() == LoopEnd::Input && !DisplayWasLost()) {
    return 0;
  }
  return Report("the display was lost and cannot be made again", "");
}

// Draws on another program's window, straight into the visuals, until a stop signal or the
// window's end: XScreenSaver's display mode. Failures go to standard error only: a screen saver
// shows no message box.
int RunOnForeignWindow(const CommandLine& commandLine) {
  const std::uint32_t seed = StartSeed();
  CatchStopSignals();
  std::string problem;
  if (!OpenForeignWindow(commandLine.target, commandLine.windowId,
                         std::getenv("XSCREENSAVER_WINDOW"), problem)) {
    return Report(problem.c_str(), "");
  }
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");  // the window is an X window
  int result = kExitFailure;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    Report("no display", SDL_GetError());
  } else {
    PutForeignWindowGuardFirst();
    const WindowRenderer renderer = ChooseWindowRenderer(commandLine.renderer, OpenForeign, true);
    if (renderer == WindowRenderer::NoWindow) {
      Report("cannot draw on the window", SDL_GetError());
    } else if (renderer != WindowRenderer::GlRefused &&
               StartOn(renderer, seed, RunOpening::Visuals, commandLine.settings, Report)) {
      result = RunOnSdl(WindowOwner::Foreign);
    }
    EndSdlRun();
  }
  CloseForeignWindow();
  return result;
}

// Its own full-screen window, from the intro page on, until Esc or the window's closing.
// Start-up failures show a message box where SDL can.
int RunOnOwnWindow(const CommandLine& commandLine) {
  const std::uint32_t seed = StartSeed();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    return Fail("no display", SDL_GetError());
  }
  int result = kExitFailure;
  if (!DisplayIsVisible()) {
    Fail("no display", "DISPLAY or WAYLAND_DISPLAY names none that answers");
  } else {
    const WindowRenderer renderer =
        ChooseWindowRenderer(commandLine.renderer, OpenOwnWindow, false);
    if (renderer == WindowRenderer::NoWindow) {
      Fail("cannot open the display", SDL_GetError());
    } else if (renderer != WindowRenderer::GlRefused &&
               StartOn(renderer, seed, RunOpening::IntroPage, commandLine.settings, Fail)) {
      result = RunOnSdl(WindowOwner::Own);
    }
  }
  EndSdlRun();
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine commandLine = ParseCommandLine(argc, argv);
  const int answered = AnswerCommandLine(commandLine);
  if (answered >= 0) {
    return answered;
  }
  switch (commandLine.target) {
    case DrawTarget::Pictures: {
      const std::uint32_t seed = commandLine.render.seed.value_or(StartSeed());
      if (!commandLine.render.seed.has_value()) {
        std::fprintf(stderr, "chromaflux: seed %u\n", seed);
      }
      return RenderPictures(commandLine.render, commandLine.settings, seed, commandLine.renderer);
    }
    case DrawTarget::ScreenSaver:
    case DrawTarget::GivenWindow:
      return RunOnForeignWindow(commandLine);
    case DrawTarget::OwnWindow:
      break;
  }
  return RunOnOwnWindow(commandLine);
}
