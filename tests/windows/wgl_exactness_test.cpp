// The GL renderer through WGL against the software renderer, byte for byte: the same runs drawn by
// both, on Wine's WGL (Mesa's llvmpipe through the host's GLX), the GL picture in a framebuffer
// object read back after each frame: a model of each extra term at both ends of the drift's swing,
// the console opening and open, and the intro page's blink, at the classic size, an odd one and
// 1920 x 1080 (larger than the session's screen: no window could hold it).
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/frame_driver.h"
#include "app/key_commands.h"
#include "app/run.h"
#include "gl/gl_renderer.h"
#include "software/memory_frame.h"
#include "software/software_renderer.h"
#include "state/app_state.h"
#include "wgl_test_platform.h"
#include "windows/wgl_display.h"

namespace {

constexpr std::uint32_t kSeed = 20261210;
constexpr std::int32_t kModels[] = {0, 5, 10, 12};  // + ANGLE + WAVE, none, WAVE div 10, cosine
// Model clock ticks: the ring faded in (it starts black, and fades in only within the model's
// first 600 ms), then the drift swung farthest left (cos = -1) and down (sin = -1).
constexpr std::uint32_t kModelTicks[] = {590, 1571, 3299};
constexpr std::uint32_t kSlideTicks[] = {150, 1000};  // opening, then open, after TAB
constexpr std::uint32_t kBlinkTicks[] = {10, 700};

struct Frame {
  std::string name;
  std::vector<std::uint32_t> pixels;  // rows top first, `width` apart
};

// Draws the frame at `tick` and keeps what the renderer shows of picture 0.
void Draw(bool gl, std::uint32_t tick, const std::string& name, std::vector<Frame>& frames) {
  SetTestTicks(tick);
  ASSERT_EQ(RunIdlePass(), 0) << name;
  const FrameView view = gl ? WglReadBackPicture() : ShownSoftwarePicture();
  ASSERT_NE(view.pixels, nullptr) << name;
  Frame frame{name + " (" + std::to_string(view.width) + "x" + std::to_string(view.height) + ")",
              {}};
  for (std::int32_t r = 0; r < view.height; ++r) {
    const std::uint32_t* row = view.pixels + static_cast<std::ptrdiff_t>(r) * view.pitch;
    frame.pixels.insert(frame.pixels.end(), row, row + view.width);
  }
  frames.push_back(std::move(frame));
}

// One run of `opening` at `size`, drawn by the GL or the software renderer.
std::vector<Frame> DrawRun(bool gl, PictureSize size, RunOpening opening) {
  std::vector<Frame> frames;
  std::string problem;
  if (gl && !OpenWglReadBack(size, problem)) {
    ADD_FAILURE() << problem;
    return frames;
  }
  RunSettings settings;
  settings.classic = size.width == screenWidth && size.height == screenHeight;
  SetTestTicks(0);
  const bool started = StartRun(kSeed, opening, settings, gl ? GlRenderer() : SoftwareRenderer()) &&
                       (gl || SetPictureSize(size.width, size.height));
  EXPECT_TRUE(started) << GlRendererProblem();
  std::uint32_t tick = 0;
  if (started && opening == RunOpening::IntroPage) {
    for (const std::uint32_t blink : kBlinkTicks) {
      Draw(gl, blink, "intro page at " + std::to_string(blink) + " ms", frames);
    }
  } else if (started) {
    for (const std::int32_t model : kModels) {
      SetTestTicks(tick);
      SwitchModel(model);
      for (const std::uint32_t at : kModelTicks) {
        Draw(gl, tick + at, "model " + std::to_string(model) + " at " + std::to_string(at), frames);
      }
      tick += kModelTicks[2] + 1;
    }
    HandleKey(kKeyTab);
    for (const std::uint32_t slide : kSlideTicks) {
      Draw(gl, tick + slide, "console " + std::to_string(slide) + " ms after TAB", frames);
    }
  }
  EndRun();
  CloseWglDisplay();
  return frames;
}

TEST(WglExactness, EqualsTheSoftwareRendererByteForByte) {
  for (const PictureSize size :
       {PictureSize{800, 600}, PictureSize{333, 177}, PictureSize{1920, 1080}}) {
    for (const RunOpening opening : {RunOpening::Visuals, RunOpening::IntroPage}) {
      const std::vector<Frame> software = DrawRun(false, size, opening);
      const std::vector<Frame> gl = DrawRun(true, size, opening);
      ASSERT_EQ(gl.size(), software.size());
      for (std::size_t i = 0; i < gl.size(); ++i) {
        EXPECT_EQ(gl[i].name, software[i].name);
        EXPECT_TRUE(gl[i].pixels == software[i].pixels) << software[i].name;
      }
    }
  }
}

}  // namespace
