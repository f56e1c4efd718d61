// The SDL program's GL context (platform/gl_display.h): on its window (sdl/gl_window.h), or with
// no display for --render (sdl/offscreen_gl.h). One of them is open at a time.
#include "platform/gl_display.h"

#include <SDL2/SDL.h>

#include "sdl/gl_window.h"
#include "sdl/offscreen_gl.h"

GlFunction GlFunctionAddress(const char* name) {
  return GlWindowIsOpen() ? reinterpret_cast<GlFunction>(SDL_GL_GetProcAddress(name))
                          : OffscreenGlFunctionAddress(name);
}

bool GlContextIsEs() {
  return false;
}

DisplayCheck BeginGlFrame() {
  return GlWindowIsOpen() ? BeginGlWindowFrame() : BeginOffscreenGlFrame();
}

std::int32_t GlPictureCount() {
  return 1;
}

PictureSize GlPictureSize(std::int32_t) {
  return GlWindowIsOpen() ? GlWindowPictureSize() : OffscreenGlPictureSize();
}

void TargetGlPicture(std::int32_t) {
  if (GlWindowIsOpen()) {
    TargetGlWindowPicture();
  } else {
    TargetOffscreenGlPicture();
  }
}

void PresentGlFrame() {
  if (GlWindowIsOpen()) {
    PresentGlWindow();
  } else {
    FinishOffscreenGlFrame();
  }
}

bool GlPacesFrames() {
  return GlWindowIsOpen() && GlWindowPacesFrames();
}
