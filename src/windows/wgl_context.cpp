#include "windows/wgl_context.h"

#include <cstdint>

// The extensions' names and types need OpenGL's types first.
#include "gl/gl_functions.h"

#include <GL/wglext.h>

namespace {

constexpr BYTE kColourBits = 24;  // red, green and blue; alpha apart
constexpr BYTE kAlphaBits = 8;
constexpr int kCoreMajor = 3;
constexpr int kCoreMinor = 3;

// What wglGetProcAddress answers, besides null, for a function it does not give.
bool IsFunctionAddress(PROC address) {
  const auto value = reinterpret_cast<std::intptr_t>(address);
  return value != 0 && value != 1 && value != 2 && value != 3 && value != -1;
}

}  // namespace

bool SetGlPixelFormat(HDC dc) {
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof(format);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = kColourBits;
  format.cAlphaBits = kAlphaBits;
  format.iLayerType = PFD_MAIN_PLANE;
  const int chosen = ChoosePixelFormat(dc, &format);
  return chosen != 0 && SetPixelFormat(dc, chosen, &format) != FALSE;
}

HGLRC MakeCoreContext(HDC dc) {
  HGLRC legacy = wglCreateContext(dc);
  if (legacy == nullptr) {
    return nullptr;
  }
  HGLRC core = nullptr;
  if (wglMakeCurrent(dc, legacy) != FALSE) {
    const auto createContext = reinterpret_cast<PFNWGLCREATECONTEXTATTRIBSARBPROC>(
        CoreContextFunction("wglCreateContextAttribsARB"));
    const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB,
                              kCoreMajor,
                              WGL_CONTEXT_MINOR_VERSION_ARB,
                              kCoreMinor,
                              WGL_CONTEXT_PROFILE_MASK_ARB,
                              WGL_CONTEXT_CORE_PROFILE_BIT_ARB,
                              0};
    if (createContext != nullptr) {
      core = createContext(dc, nullptr, attributes);
    }
  }
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(legacy);
  if (core != nullptr && wglMakeCurrent(dc, core) == FALSE) {
    wglDeleteContext(core);
    core = nullptr;
  }
  return core;
}

GlFunction CoreContextFunction(const char* name) {
  const PROC address = wglGetProcAddress(name);
  if (IsFunctionAddress(address)) {
    return reinterpret_cast<GlFunction>(address);
  }
  HMODULE openGl = GetModuleHandleA("opengl32.dll");
  return openGl != nullptr ? reinterpret_cast<GlFunction>(GetProcAddress(openGl, name)) : nullptr;
}

SwapInterval SwapIntervalFunction() {
  return reinterpret_cast<SwapInterval>(CoreContextFunction("wglSwapIntervalEXT"));
}
