#include "sdl/offscreen_gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstddef>
#include <vector>

#include "gl/gl_functions.h"
#include "gl/picture_readback.h"

namespace {

struct OffscreenGl {
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLContext context = EGL_NO_CONTEXT;
  GLuint framebuffer = 0;
  GLuint colour = 0;  // the framebuffer's RGBA8 renderbuffer
  PictureSize size;
  std::vector<std::uint8_t> rows;     // glReadPixels' bytes, bottom row first
  std::vector<std::uint32_t> pixels;  // the picture, top row first
  bool drawn = false;                 // a frame was drawn
  bool readBack = false;              // `pixels` hold the last frame drawn
};

OffscreenGl offscreen;

bool Fail(std::string& problem, const char* what) {
  problem = what;
  CloseOffscreenGl();
  return false;
}

// Mesa's platform with no display; where it is missing, whatever display EGL offers by default.
EGLDisplay SurfacelessDisplay() {
  const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay != nullptr) {
    const EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display != EGL_NO_DISPLAY) {
      return display;
    }
  }
  return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

bool MakeContext() {
  offscreen.display = SurfacelessDisplay();
  if (offscreen.display == EGL_NO_DISPLAY ||
      eglInitialize(offscreen.display, nullptr, nullptr) != EGL_TRUE ||
      eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
    return false;
  }
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                               3,
                               EGL_CONTEXT_MINOR_VERSION,
                               3,
                               EGL_CONTEXT_OPENGL_PROFILE_MASK,
                               EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                               EGL_NONE};
  offscreen.context =
      eglCreateContext(offscreen.display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  return offscreen.context != EGL_NO_CONTEXT &&
         eglMakeCurrent(offscreen.display, EGL_NO_SURFACE, EGL_NO_SURFACE, offscreen.context) ==
             EGL_TRUE;
}

}  // namespace

bool OpenOffscreenGl(std::int32_t width, std::int32_t height, std::string& problem) {
  CloseOffscreenGl();
  if (!MakeContext()) {
    return Fail(problem, "no OpenGL 3.3 context without a display (EGL, libegl-mesa0)");
  }
  const char* missing = nullptr;
  if (!LoadGlFunctions(missing)) {
    return Fail(problem, "the OpenGL context lacks a function the renderer needs");
  }
  GLint largest = 0;
  gl.GetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
  if (width > largest || height > largest) {
    return Fail(problem, "the picture is larger than the OpenGL context's framebuffers");
  }
  gl.GenFramebuffers(1, &offscreen.framebuffer);
  gl.GenRenderbuffers(1, &offscreen.colour);
  gl.BindRenderbuffer(GL_RENDERBUFFER, offscreen.colour);
  gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  gl.BindFramebuffer(GL_FRAMEBUFFER, offscreen.framebuffer);
  gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                             offscreen.colour);
  if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    return Fail(problem, "the OpenGL context cannot make a picture of that size");
  }
  offscreen.size = {width, height};
  const auto pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  offscreen.rows.resize(pixels * 4);
  offscreen.pixels.resize(pixels);
  return true;
}

// Only the frames asked for are read back: a frame before --render's first is never waited for.
FrameView OffscreenGlPicture() {
  if (!offscreen.drawn) {
    return {};
  }
  if (!offscreen.readBack) {
    ReadGlPicture(offscreen.size, offscreen.rows, offscreen.pixels);
    offscreen.readBack = true;
  }
  return {offscreen.pixels.data(), offscreen.size.width, offscreen.size.width,
          offscreen.size.height};
}

std::string OffscreenGlRendererName() {
  if (offscreen.context == EGL_NO_CONTEXT || gl.GetString == nullptr) {
    return {};
  }
  return reinterpret_cast<const char*>(gl.GetString(GL_RENDERER));
}

void CloseOffscreenGl() {
  if (offscreen.context != EGL_NO_CONTEXT && gl.DeleteFramebuffers != nullptr) {
    gl.DeleteFramebuffers(1, &offscreen.framebuffer);
    gl.DeleteRenderbuffers(1, &offscreen.colour);
  }
  // The display stays initialised until the process ends, and the next open finds it so: Mesa's
  // eglTerminate unloads its driver and leaves some of the driver's memory behind.
  if (offscreen.display != EGL_NO_DISPLAY) {
    eglMakeCurrent(offscreen.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (offscreen.context != EGL_NO_CONTEXT) {
      eglDestroyContext(offscreen.display, offscreen.context);
    }
  }
  offscreen = OffscreenGl{};
}

GlFunction OffscreenGlFunctionAddress(const char* name) {
  return eglGetProcAddress(name);
}

DisplayCheck BeginOffscreenGlFrame() {
  return offscreen.context != EGL_NO_CONTEXT ? DisplayCheck::Ready : DisplayCheck::Failed;
}

PictureSize OffscreenGlPictureSize() {
  return offscreen.size;
}

void TargetOffscreenGlPicture() {
  gl.BindFramebuffer(GL_FRAMEBUFFER, offscreen.framebuffer);
}

void FinishOffscreenGlFrame() {
  offscreen.drawn = true;
  offscreen.readBack = false;
}
