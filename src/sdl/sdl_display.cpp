// The display on SDL: the memory frame is copied into a streaming texture and drawn scaled by the
// largest whole factor that fits the window, nearest-neighbour, centred on black.
//
// Results that matter are checked where they matter: the window, the renderer and the texture at
// start-up and when the renderer must be made again. The results of the per-frame texture update,
// clear, copy and present are ignored on purpose: a failure there costs one frame's picture, and
// a renderer that lost its device says so with an event, which the next CheckDisplay handles.
#include "sdl/sdl_display.h"

#include <cstring>

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

#include "platform/display.h"
#include "software/frame_fit.h"
#include "software/memory_frame.h"
#include "state/app_state.h"

namespace {

constexpr int kBytesPerPixel = 4;
constexpr Uint32 kFullscreen = SDL_WINDOW_FULLSCREEN_DESKTOP;

// Whether the renderer is OpenGL rasterised on the processor (Mesa's llvmpipe or softpipe, as on
// a virtual display or a machine without a graphics driver). Drawing the scaled frame through it
// costs several times the whole frame's own work; SDL's software renderer only copies it.
bool RasterisesOnTheProcessor(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) {
    return false;
  }
  using GetString = const GLubyte* (*)(GLenum);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const auto* name = getString == nullptr ? nullptr : getString(GL_RENDERER);
  if (name == nullptr) {
    return false;
  }
  const char* text = reinterpret_cast<const char*>(name);
  return std::strstr(text, "llvmpipe") != nullptr || std::strstr(text, "softpipe") != nullptr ||
         std::strstr(text, "Software Rasterizer") != nullptr;
}

// The renderer: the display's own with vsync where it has one, else SDL's software renderer
// presenting straight to the window. Null when neither can be made.
SDL_Renderer* CreateBestRenderer() {
  SDL_Renderer* renderer = SDL_CreateRenderer(app.sdlWindow, -1, SDL_RENDERER_PRESENTVSYNC);
  if (renderer != nullptr && !RasterisesOnTheProcessor(renderer)) {
    return renderer;
  }
  if (renderer != nullptr) {
    SDL_DestroyRenderer(renderer);
  }
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return SDL_CreateRenderer(app.sdlWindow, -1, SDL_RENDERER_SOFTWARE);
}

// The renderer and its texture; false when either cannot be made.
bool CreateRenderer() {
  app.sdlRenderer = CreateBestRenderer();
  if (app.sdlRenderer == nullptr) {
    return false;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  // RGB888 is 0x00RRGGBB in a 32-bit word: the frame's own pixels, copied as they are.
  app.sdlTexture = SDL_CreateTexture(app.sdlRenderer, SDL_PIXELFORMAT_RGB888,
                                     SDL_TEXTUREACCESS_STREAMING, screenWidth, screenHeight);
  return app.sdlTexture != nullptr;
}

void DestroyRenderer() {
  if (app.sdlTexture != nullptr) {
    SDL_DestroyTexture(app.sdlTexture);
    app.sdlTexture = nullptr;
  }
  if (app.sdlRenderer != nullptr) {
    SDL_DestroyRenderer(app.sdlRenderer);
    app.sdlRenderer = nullptr;
  }
}

}  // namespace

bool OpenSdlDisplay() {
  app.sdlWindow = SDL_CreateWindow("Chromaflux", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   screenWidth, screenHeight, kFullscreen);
  if (app.sdlWindow == nullptr) {
    return false;
  }
  SDL_ShowCursor(SDL_DISABLE);
  return CreateRenderer();
}

void CloseSdlDisplay() {
  DestroyRenderer();
  if (app.sdlWindow != nullptr) {
    SDL_DestroyWindow(app.sdlWindow);
    app.sdlWindow = nullptr;
  }
}

void ToggleFullscreen() {
  if ((SDL_GetWindowFlags(app.sdlWindow) & kFullscreen) == kFullscreen) {
    SDL_SetWindowFullscreen(app.sdlWindow, 0);
    SDL_SetWindowSize(app.sdlWindow, screenWidth, screenHeight);
    SDL_SetWindowPosition(app.sdlWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  } else {
    SDL_SetWindowFullscreen(app.sdlWindow, kFullscreen);
  }
}

bool VsyncOffered() {
  SDL_RendererInfo info{};
  return SDL_GetRendererInfo(app.sdlRenderer, &info) == 0 &&
         (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
}

DisplayCheck CheckDisplay() {
  if ((SDL_GetWindowFlags(app.sdlWindow) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0) {
    return DisplayCheck::NotExclusive;
  }
  if (app.sdlRendererLost) {
    DestroyRenderer();
    if (!CreateRenderer()) {
      return DisplayCheck::Failed;
    }
    app.sdlRendererLost = false;
  }
  return DisplayCheck::Ready;
}

void FlipPage() {
  SDL_UpdateTexture(app.sdlTexture, nullptr, FramePixels(), screenWidth * kBytesPerPixel);
  SDL_SetRenderDrawColor(app.sdlRenderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
  SDL_RenderClear(app.sdlRenderer);
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(app.sdlRenderer, &outputWidth, &outputHeight);
  const FrameRect fit = FitFrame(outputWidth, outputHeight);
  const SDL_Rect target{fit.x, fit.y, fit.width, fit.height};
  SDL_RenderCopy(app.sdlRenderer, app.sdlTexture, nullptr, &target);
  SDL_RenderPresent(app.sdlRenderer);
}
