#include "windows/saver_renderer_choice.h"

#include <windows.h>

#include <string>

#include "gl/gl_renderer.h"
#include "gl/self_check.h"
#include "windows/wgl_display.h"

bool PassesSelfCheck(const Renderer& gl) {
  std::string problem;
  if (!OpenWglReadBack(kSelfCheckSize, problem)) {
    return false;
  }
  const bool passes = DrawsLikeSoftware(gl, WglReadBackPicture);
  CloseWglDisplay();
  return passes;
}

bool TriesGlRenderer(RendererChoice choice, std::string& why) {
  if (choice == RendererChoice::Software) {
    why = "the setting";
    return false;
  }
  if (choice == RendererChoice::Gl) {
    return true;
  }
  if (!OpenWglReadBack(kSelfCheckSize, why)) {
    return false;
  }
  const std::string name = WglRendererName();
  CloseWglDisplay();
  if (IsSoftwareRasteriser(name)) {
    why = name + " draws on the processor";
    return false;
  }
  if (!PassesSelfCheck(GlRenderer())) {
    why = name + " failed the self-check";
    return false;
  }
  return true;
}

void SayRenderer(const char* renderer, const std::string& why) {
  const std::string line = std::string("chromaflux: ") + renderer + " renderer (" + why + ")\n";
  OutputDebugStringA(line.c_str());
}
