#include "windows/saver_display.h"

#include <array>
#include <string>

#include "gl/gl_renderer.h"
#include "software/software_renderer.h"
#include "windows/gdi_display.h"
#include "windows/saver_renderer_choice.h"
#include "windows/wgl_display.h"

namespace {

// What the display was opened on, for a fall-back to the software renderer.
struct SaverDisplay {
  HWND window = nullptr;
  std::array<RECT, kMostPictures> area{};
  std::int32_t count = 0;
  bool gl = false;  // the GL renderer draws; else the software renderer
};

SaverDisplay saver;

void OpenGdi(const std::string& why) {
  SayRenderer("software", why);
  OpenGdiDisplay(saver.window, saver.area.data(), saver.count);
  saver.gl = false;
}

}  // namespace

void OpenSaverDisplay(HWND window, const RECT* areas, std::int32_t count,
                      const SaverSettings& settings) {
  saver.window = window;
  saver.count = count < 1 ? 1 : (count > kMostPictures ? kMostPictures : count);
  for (std::int32_t i = 0; i < saver.count; ++i) {
    saver.area[i] = areas[i];
  }
  std::string why;
  if (TriesGlRenderer(settings.renderer, why) &&
      OpenWglWindows(window, areas, saver.count, settings.run.classic, why)) {
    SayRenderer("GL", WglRendererName());
    saver.gl = true;
  } else {
    OpenGdi(why);
  }
}

const Renderer& SaverDisplayRenderer() {
  return saver.gl ? GlRenderer() : SoftwareRenderer();
}

bool FallBackToSoftware() {
  if (!saver.gl || IsWindow(saver.window) == FALSE) {
    return false;
  }
  const std::string problem = GlRendererProblem();
  CloseWglDisplay();
  OpenGdi(problem.empty() ? "the OpenGL display was lost" : problem);
  return true;
}

void CloseSaverDisplay() {
  CloseWglDisplay();
  CloseGdiDisplay();
  saver = SaverDisplay{};
}
