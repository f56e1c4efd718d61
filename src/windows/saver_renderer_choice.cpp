#include "windows/saver_renderer_choice.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "app/frame_driver.h"
#include "app/run.h"
#include "gl/gl_renderer.h"
#include "plasma/scaled_composition.h"
#include "state/app_state.h"
#include "windows/wgl_display.h"
#include "windows/win_clock.h"

namespace {

// The self-check's picture: small, of no classic shape, model 0 (the term with the most to get
// wrong) just before the end of the ring's fade-in (the ring starts black, and a frame within the
// model's first 600 ms takes a fade step for every 2 ms it pays for).
constexpr PictureSize kCheckSize{96, 54};
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
  return std::equal(pixels.begin(), pixels.end(), drawn.pixels);
}

}  // namespace

bool DrawsLikeSoftware(const Renderer& gl) {
  std::string problem;
  if (!OpenWglReadBack(kCheckSize, problem)) {
    return false;
  }
  bool equal = false;
  SetVirtualClock(0);
  if (StartRun(GetTickCount(), RunOpening::Visuals, RunSettings{}, gl)) {
    SwitchModel(kCheckModel);
    SetVirtualClock(kCheckTick);
    if (RunIdlePass() == 0) {
      const FrameView drawn = WglReadBackPicture();
      equal = drawn.pixels != nullptr && drawn.width == kCheckSize.width &&
              drawn.height == kCheckSize.height && ComposedLikeSoftware(drawn);
    }
  }
  EndRun();
  EndVirtualClock();
  CloseWglDisplay();
  return equal;
}

bool TriesGlRenderer(RendererChoice choice, std::string& why) {
  if (choice == RendererChoice::Software) {
    why = "the setting";
    return false;
  }
  if (choice == RendererChoice::Gl) {
    return true;
  }
  if (!OpenWglReadBack(kCheckSize, why)) {
    return false;
  }
  const std::string name = WglRendererName();
  CloseWglDisplay();
  if (IsSoftwareRasteriser(name)) {
    why = name + " draws on the processor";
    return false;
  }
  if (!DrawsLikeSoftware(GlRenderer())) {
    why = name + " failed the self-check";
    return false;
  }
  return true;
}

void SayRenderer(const char* renderer, const std::string& why) {
  const std::string line = std::string("chromaflux: ") + renderer + " renderer (" + why + ")\n";
  OutputDebugStringA(line.c_str());
}
