#include "gl/self_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/frame_driver.h"
#include "app/run.h"
#include "plasma/scaled_composition.h"
#include "platform/clock.h"
#include "state/app_state.h"

namespace {

constexpr std::uint32_t kCheckSeed = 1;
constexpr std::int32_t kCheckModel = 0;
constexpr std::uint32_t kCheckTick = 590;

// The software renderer draws a frame of the visuals with the console closed as the composition
// of its field alone (software/software_renderer.cpp): composed here from the same run, at the
// same tick.
bool ComposedLikeSoftware(const FrameView& drawn) {
  const PictureDescription& picture = app.frame.pictures[0];
  if (picture.field != FieldKind::Scaled) {
    return false;
  }
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(drawn.width) * drawn.height);
  const FrameView composed{pixels.data(), drawn.width, drawn.width, drawn.height};
  const ScaledPicture& field = app.fields[picture.fieldIndex];
  ComposeFrameInto(composed, field, field.Index, picture.bandTop, 0, drawn.height);
  for (std::int32_t r = 0; r < drawn.height; ++r) {
    const std::uint32_t* row = drawn.pixels + static_cast<std::ptrdiff_t>(r) * drawn.pitch;
    if (!std::equal(row, row + drawn.width, pixels.begin() + std::ptrdiff_t{r} * drawn.width)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool DrawsLikeSoftware(const Renderer& gl, GlPictureReader read) {
  bool equal = false;
  SetVirtualClock(0);
  if (StartRun(kCheckSeed, RunOpening::Visuals, RunSettings{}, gl)) {
    SwitchModel(kCheckModel);
    SetVirtualClock(kCheckTick);
    if (RunIdlePass() == 0) {
      const FrameView drawn = read();
      equal = drawn.pixels != nullptr && drawn.width == kSelfCheckSize.width &&
              drawn.height == kSelfCheckSize.height && ComposedLikeSoftware(drawn);
    }
  }
  EndRun();
  EndVirtualClock();
  return equal;
}
