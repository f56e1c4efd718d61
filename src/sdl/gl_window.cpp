#include "sdl/gl_window.h"

#include <SDL2/SDL.h>

#include "gl/gl_functions.h"
#include "sdl/foreign_window.h"
#include "software/frame_fit.h"
#include "state/app_state.h"

namespace {

// A framebuffer object with one RGBA8 renderbuffer.
struct Framebuffer {
  GLuint framebuffer = 0;
  GLuint colour = 0;
  PictureSize size;
};

struct GlWindow {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  // The context's reset status (ARB_robustness, asked for where offered); null without one.
  PFNGLGETGRAPHICSRESETSTATUSARBPROC resetStatus = nullptr;
  bool lost = false;         // reset by the driver, or unable to draw: to be made again
  bool foreign = false;      // the window is another program's (sdl/foreign_window.h)
  bool pacesFrames = false;  // the swap waits for the refresh
  Framebuffer classic;       // the classic frame, 800 x 600
  Framebuffer enlarged;      // the classic frame enlarged by a whole factor, for sharp bilinear
};

GlWindow window;

void Release(Framebuffer& target) {
  if (target.framebuffer != 0) {
    gl.DeleteFramebuffers(1, &target.framebuffer);
    gl.DeleteRenderbuffers(1, &target.colour);
  }
  target = Framebuffer{};
}

// `target` with `size`, made (again) where it has another; false where it cannot be made.
bool Prepare(Framebuffer& target, PictureSize size) {
  if (target.framebuffer != 0 && target.size.width == size.width &&
      target.size.height == size.height) {
    return true;
  }
  Release(target);
  gl.GenFramebuffers(1, &target.framebuffer);
  gl.GenRenderbuffers(1, &target.colour);
  gl.BindRenderbuffer(GL_RENDERBUFFER, target.colour);
  gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size.width, size.height);
  gl.BindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
  gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, target.colour);
  target.size = size;
  if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    Release(target);
    return false;
  }
  return true;
}

// SDL reads another program's window's size only when it takes the window: there the size is
// the one the foreign window's own connection last heard of.
PictureSize DrawableSize() {
  if (window.foreign) {
    return ForeignWindowSize();
  }
  int width = 0;
  int height = 0;
  SDL_GL_GetDrawableSize(window.window, &width, &height);
  return {width, height};
}

void Blit(const Framebuffer& from, GLuint to, const FrameRect& box, std::int32_t outputHeight,
          GLenum filter) {
  gl.BindFramebuffer(GL_READ_FRAMEBUFFER, from.framebuffer);
  gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
  // Boxes count rows from the top, framebuffers from the bottom.
  const GLint bottom = outputHeight - box.y - box.height;
  gl.BlitFramebuffer(0, 0, from.size.width, from.size.height, box.x, bottom, box.x + box.width,
                     bottom + box.height, GL_COLOR_BUFFER_BIT, filter);
}

// The classic frame in its box on black: nearest-neighbour at a whole scale; else enlarged
// nearest-neighbour by the next whole factor and reduced linearly, or plain linear where the box
// is smaller than the frame or the enlargement cannot be had.
void ShowClassicFrame() {
  const PictureSize output = DrawableSize();
  const FrameRect box = FitFrame(output.width, output.height);
  gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
  gl.Viewport(0, 0, output.width, output.height);
  gl.ClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  gl.Clear(GL_COLOR_BUFFER_BIT);
  if (IsWholeScale(box)) {
    Blit(window.classic, 0, box, output.height, GL_NEAREST);
    return;
  }
  const std::int32_t factor = EnlargementFactor(box);
  const PictureSize enlarged{screenWidth * factor, screenHeight * factor};
  if (factor > 1 && Prepare(window.enlarged, enlarged)) {
    Blit(window.classic, window.enlarged.framebuffer, {0, 0, enlarged.width, enlarged.height},
         enlarged.height, GL_NEAREST);
    Blit(window.enlarged, 0, box, output.height, GL_LINEAR);
    return;
  }
  Blit(window.classic, 0, box, output.height, GL_LINEAR);
}

}  // namespace

bool OpenGlWindow(SDL_Window* sdlWindow, bool foreign, std::string& problem) {
  CloseGlWindow();
  window.foreign = foreign;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  window.window = sdlWindow;
  // A context that learns of a reset (a driver's recovery, a graphics processor taken away)
  // where the driver offers one; else a plain one.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, SDL_GL_CONTEXT_ROBUST_ACCESS_FLAG);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_RESET_NOTIFICATION, SDL_GL_CONTEXT_RESET_LOSE_CONTEXT);
  window.context = SDL_GL_CreateContext(sdlWindow);
  if (window.context != nullptr) {
    window.resetStatus = reinterpret_cast<PFNGLGETGRAPHICSRESETSTATUSARBPROC>(
        SDL_GL_GetProcAddress("glGetGraphicsResetStatusARB"));
  } else {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_RESET_NOTIFICATION, SDL_GL_CONTEXT_RESET_NO_NOTIFICATION);
    window.context = SDL_GL_CreateContext(sdlWindow);
  }
  if (window.context == nullptr) {
    problem = std::string("no OpenGL 3.3 context on the window: ") + SDL_GetError();
    CloseGlWindow();
    return false;
  }
  const char* missing = nullptr;
  if (!LoadGlFunctions(missing)) {
    problem = std::string("the OpenGL context has no ") + missing;
    CloseGlWindow();
    return false;
  }
  // Adaptive where offered: a late frame is shown at once instead of a refresh later.
  window.pacesFrames = SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0;
  return true;
}

void CloseGlWindow() {
  if (window.context != nullptr) {
    Release(window.classic);
    Release(window.enlarged);
    SDL_GL_DeleteContext(window.context);
    gl = GlFunctions{};  // they were the context's: nothing may call them now
  }
  window = GlWindow{};
}

bool GlWindowIsOpen() {
  return window.context != nullptr;
}

std::string GlWindowRendererName() {
  return window.context != nullptr ? reinterpret_cast<const char*>(gl.GetString(GL_RENDERER)) : "";
}

bool GlWindowWasLost() {
  return window.lost;
}

// A reset context draws nothing more; frames wait until the loop has made it again.
DisplayCheck BeginGlWindowFrame() {
  if ((SDL_GetWindowFlags(window.window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0) {
    return DisplayCheck::NotExclusive;
  }
  window.lost =
      window.lost || (window.resetStatus != nullptr && window.resetStatus() != GL_NO_ERROR);
  if (!window.lost && app.settings.classic &&
      !Prepare(window.classic, {screenWidth, screenHeight})) {
    window.lost = true;
  }
  return window.lost ? DisplayCheck::NotExclusive : DisplayCheck::Ready;
}

PictureSize GlWindowPictureSize() {
  return app.settings.classic ? PictureSize{screenWidth, screenHeight} : DrawableSize();
}

void TargetGlWindowPicture() {
  gl.BindFramebuffer(GL_FRAMEBUFFER, app.settings.classic ? window.classic.framebuffer : 0);
}

void PresentGlWindow() {
  if (app.settings.classic) {
    ShowClassicFrame();
  }
  SDL_GL_SwapWindow(window.window);
}

bool GlWindowPacesFrames() {
  return window.pacesFrames;
}
