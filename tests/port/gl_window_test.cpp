// The desktop program's GL context lost in a run: made again on the same window, the run goes on
// and draws what a run that lost nothing draws. Needs an X display with OpenGL 3.3 (Xvfb's
// llvmpipe).
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/frame_driver.h"
#include "app/run.h"
#include "gl/gl_functions.h"
#include "gl/gl_renderer.h"
#include "platform/clock.h"
#include "sdl/gl_window.h"
#include "sdl/sdl_display.h"
#include "sdl/sdl_input.h"
#include "state/app_state.h"

namespace {

constexpr std::uint32_t kSeed = 77;

// The classic frame's framebuffer as the last frame left it.
std::vector<std::uint8_t> ClassicPicture() {
  std::vector<std::uint8_t> pixels(std::size_t{screenWidth} * screenHeight * 4);
  TargetGlWindowPicture();
  gl.ReadPixels(0, 0, screenWidth, screenHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// A classic run on the GL renderer, its frames at 300, 590 and 1100 ms; `lose` makes the context
// again after the second. The last frame's picture.
std::vector<std::uint8_t> DrawRun(bool lose) {
  RunSettings settings;
  settings.classic = true;
  SetVirtualClock(0);
  EXPECT_TRUE(StartRun(kSeed, RunOpening::Visuals, settings, GlRenderer()));
  for (const std::uint32_t tick : {300u, 590u}) {
    SetVirtualClock(tick);
    EXPECT_EQ(RunIdlePass(), 0);
  }
  if (lose) {
    EXPECT_TRUE(RestoreLostGlDrawing());
    EXPECT_TRUE(GlWindowIsOpen());
  }
  SetVirtualClock(1100);
  EXPECT_EQ(RunIdlePass(), 0);
  std::vector<std::uint8_t> picture = ClassicPicture();
  EndRun();
  return picture;
}

TEST(GlWindow, ALostContextIsMadeAgainAndTheRunDrawsOnAsIfNothingWasLost) {
  std::string problem;
  if (SDL_getenv("DISPLAY") == nullptr || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    GTEST_SKIP() << "no X display: " << SDL_GetError();
  }
  if (!OpenSdlDisplay(SdlDrawing::Gl) || !OpenGlWindow(SdlDisplayWindow(), false, problem)) {
    CloseSdlDisplay();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    GTEST_SKIP() << "no OpenGL 3.3 window: " << problem << SDL_GetError();
  }
  TakeInputFor(WindowOwner::Own);
  const std::vector<std::uint8_t> restored = DrawRun(true);
  const std::vector<std::uint8_t> kept = DrawRun(false);
  std::size_t lit = 0;
  for (std::size_t i = 0; i < restored.size(); i += 4) {
    lit += (restored[i] | restored[i + 1] | restored[i + 2]) != 0 ? 1 : 0;
  }
  EXPECT_GT(lit, restored.size() / 8) << "the frame after the new context is mostly black";
  EXPECT_TRUE(restored == kept);
  CloseGlWindow();
  CloseSdlDisplay();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace
