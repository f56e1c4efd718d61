// The GL renderer against the software renderer, byte for byte, through EGL with no display:
// the same runs drawn by both, every model at each size with the drift at the ends of its
// swing, the console opening and open, and the intro page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/frame_driver.h"
#include "app/key_commands.h"
#include "app/run.h"
#include "gl/gl_renderer.h"
#include "platform/clock.h"
#include "sdl/offscreen_gl.h"
#include "sdl/renderer_choice.h"
#include "software/memory_frame.h"
#include "software/software_renderer.h"
#include "state/app_state.h"

namespace {

constexpr std::uint32_t kSeed = 20261210;
// Model clock ticks of the frames drawn after each switch: through the ring's fade-in (which only
// frames within it advance, so that the ring is lit at all), then where the drift swings
// farthest: up (sin = 1), left (cos = -1), down (sin = -1); the seed's rest point lies between.
constexpr std::uint32_t kFadeTicks[] = {300, 590};
constexpr std::uint32_t kDriftTicks[] = {1100, 1571, 3299};
constexpr std::uint32_t kSlideTicks[] = {40, 150, 1000};  // opening, then open, after TAB

// FNV-1a over a picture's rows, with its size.
std::uint64_t PictureHash(const FrameView& view) {
  std::uint64_t hash = 14695981039346656037u;
  const auto mix = [&hash](std::uint32_t word) { hash = (hash ^ word) * 1099511628211u; };
  mix(static_cast<std::uint32_t>(view.width));
  mix(static_cast<std::uint32_t>(view.height));
  for (std::int32_t r = 0; r < view.height; ++r) {
    for (std::int32_t c = 0; c < view.width; ++c) {
      mix(view.pixels[static_cast<std::ptrdiff_t>(r) * view.pitch + c]);
    }
  }
  return hash;
}

struct Drawn {
  std::vector<std::string> cases;
  std::vector<std::uint64_t> hashes;
  std::vector<bool> lit;  // the frame has a pixel that is not black
};

class Frames {
 public:
  Frames(bool gl, Drawn& drawn) : gl_(gl), drawn_(drawn) {}

  void Draw(std::uint32_t tick, const std::string& name) {
    SetVirtualClock(tick);
    ASSERT_EQ(RunIdlePass(), 0) << name;
    const FrameView view = gl_ ? OffscreenGlPicture() : PictureView();
    ASSERT_NE(view.pixels, nullptr) << name;
    drawn_.cases.push_back(name);
    drawn_.hashes.push_back(PictureHash(view));
    bool lit = false;
    for (std::int32_t r = 0; r < view.height && !lit; ++r) {
      const std::uint32_t* row = view.pixels + static_cast<std::ptrdiff_t>(r) * view.pitch;
      lit = std::any_of(row, row + view.width, [](std::uint32_t pixel) { return pixel != 0; });
    }
    drawn_.lit.push_back(lit);
  }

 private:
  bool gl_;
  Drawn& drawn_;
};

// A picture's size, and the picture pixels that make a point on its screen.
struct Screen {
  PictureSize size;
  double pixelsPerPoint;
};

// One run of `opening` on `screen` drawn by the GL or the software renderer.
Drawn DrawRun(bool gl, Screen screen, RunOpening opening) {
  const PictureSize size = screen.size;
  Drawn drawn;
  std::string problem;
  if (gl && !OpenOffscreenGl(size.width, size.height, problem)) {
    ADD_FAILURE() << problem;
    return drawn;
  }
  RunSettings settings;
  settings.classic = size.width == screenWidth && size.height == screenHeight;
  SetVirtualClock(0);
  const bool started = StartRun(kSeed, opening, settings, gl ? GlRenderer() : SoftwareRenderer()) &&
                       (gl || SetPictureSize(size.width, size.height));
  EXPECT_TRUE(started) << GlRendererProblem();
  SetPixelsPerPoint(screen.pixelsPerPoint);
  Frames frames(gl, drawn);
  const std::string at = std::to_string(size.width) + "x" + std::to_string(size.height);
  std::uint32_t tick = 0;
  if (started && opening == RunOpening::IntroPage) {
    for (const std::uint32_t blink : {10u, 700u, 1400u}) {
      frames.Draw(blink, at + " intro page at " + std::to_string(blink) + " ms");
    }
  } else if (started) {
    for (std::int32_t model = 0; model < kModelCount; ++model) {
      SetVirtualClock(tick);
      SwitchModel(model);
      for (const std::uint32_t fade : kFadeTicks) {
        SetVirtualClock(tick + fade);
        EXPECT_EQ(RunIdlePass(), 0);
      }
      for (const std::uint32_t drift : kDriftTicks) {
        frames.Draw(tick + drift,
                    at + " model " + std::to_string(model) + " at " + std::to_string(drift));
      }
      tick += kDriftTicks[2] + 1;
    }
    HandleKey(kKeyTab);
    for (const std::uint32_t slide : kSlideTicks) {
      frames.Draw(tick + slide, at + " console " + std::to_string(slide) + " ms after TAB");
    }
  }
  EndRun();
  CloseOffscreenGl();
  return drawn;
}

class GlExactness : public testing::TestWithParam<Screen> {};

TEST_P(GlExactness, EqualsTheSoftwareRendererByteForByte) {
  for (const RunOpening opening : {RunOpening::Visuals, RunOpening::IntroPage}) {
    const Drawn software = DrawRun(false, GetParam(), opening);
    const Drawn gl = DrawRun(true, GetParam(), opening);
    ASSERT_EQ(gl.hashes.size(), software.hashes.size());
    for (std::size_t i = 0; i < gl.hashes.size(); ++i) {
      EXPECT_EQ(gl.hashes[i], software.hashes[i]) << software.cases[i];
      EXPECT_TRUE(software.lit[i]) << software.cases[i] << " is black: it proves little";
    }
  }
}

// Screens of a desktop, and phones upright and on their side, whose console and intro page are
// laid out for them (app/layer_layout.h).
INSTANTIATE_TEST_SUITE_P(Sizes, GlExactness,
                         testing::Values(Screen{{800, 600}, 1}, Screen{{333, 177}, 1},
                                         Screen{{1920, 1080}, 1}, Screen{{1080, 1920}, 1},
                                         Screen{{780, 1688}, 2}, Screen{{1688, 780}, 2}),
                         [](const testing::TestParamInfo<Screen>& screen) {
                           return std::to_string(screen.param.size.width) + "x" +
                                  std::to_string(screen.param.size.height) + "at" +
                                  std::to_string(static_cast<int>(screen.param.pixelsPerPoint));
                         });

// A fault of one bit in every colour the GL renderer is handed: the self-check must see it.
void LoadFaultyRing(const std::uint32_t* ring) {
  std::vector<std::uint32_t> faulty(ring, ring + ringSize);
  for (std::uint32_t& colour : faulty) {
    colour ^= 1;
  }
  GlRenderer().loadRing(faulty.data());
}

TEST(GlSelfCheck, PassesTheGlRendererAndRefusesAFault) {
  Renderer faulty = GlRenderer();
  faulty.loadRing = LoadFaultyRing;
  EXPECT_TRUE(PassesSelfCheck(GlRenderer()));
  EXPECT_FALSE(PassesSelfCheck(faulty));
  // The run that follows keeps time again: a clock left virtual would freeze its pictures.
  const std::uint32_t first = GetTicks();
  const std::uint64_t deadlineUs = GetMicroseconds() + 10'000'000;
  while (GetTicks() == first && GetMicroseconds() < deadlineUs) {
  }
  EXPECT_NE(GetTicks(), first) << "the clock stands still after the self-check";
}

}  // namespace
