// The display on SDL. At high resolution the memory frame's picture has the renderer's output
// size and is copied into a streaming texture of that size, pixel for pixel. The classic frame is
// copied into a streaming texture and drawn into the
// largest 4:3 box that fits the window's pixels, centred on black (software/frame_fit.h). At a
// whole scale the copy is nearest-neighbour, pixel for pixel. At any other scale it is "sharp
// bilinear": the frame is first enlarged nearest-neighbour by the next whole factor into a target
// texture, which is then reduced to the box with linear filtering, so that every frame pixel keeps
// an even, sharp square and only the one row or column of the box where two of them meet is
// blended.
//
// Results that matter are checked where they matter: the window, the renderer and the texture at
// start-up and when the renderer must be made again. The results of the per-frame texture update,
// clear, copy and present are ignored on purpose: a failure there costs one frame's picture, and
// a renderer that lost its device says so with an event, which the next BeginFrame handles. An
// enlargement texture that cannot be made falls back to plain linear filtering for that frame.
//
// Full screen is asked of the window manager (SDL_WINDOW_FULLSCREEN_DESKTOP); where none acts on
// it, the window lays itself over the display (sdl/kiosk_window.h).
#include "sdl/sdl_display.h"

#include <cstring>

#include <SDL2/SDL.h>
#include <SDL2/SDL_opengl.h>

#include "platform/display.h"
#include "sdl/kiosk_window.h"
#include "software/frame_fit.h"
#include "software/memory_frame.h"
#include "state/app_state.h"

namespace {

constexpr int kBytesPerPixel = 4;
constexpr Uint32 kFullscreen = SDL_WINDOW_FULLSCREEN_DESKTOP;

// What the SDL layer holds between frames.
struct SdlDisplay {
  SDL_Window* window = nullptr;      // the borderless full-screen (or 800 x 600) window
  SDL_Renderer* renderer = nullptr;  // draws the frame into the window
  SDL_Texture* frame = nullptr;      // streaming 800 x 600 texture the memory frame is copied into
  SDL_Texture* enlarged = nullptr;   // target texture: the frame enlarged by enlargedFactor
  std::int32_t enlargedFactor = 0;   // whole factor of `enlarged`; 0 while there is none
  SDL_Texture* picture = nullptr;    // streaming texture of the high-resolution picture
  std::int32_t pictureWidth = 0;     // its size; 0 while there is none
  std::int32_t pictureHeight = 0;
  bool rendererLost = false;  // the renderer reported its device reset
};

SdlDisplay sdl;

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
  SDL_Renderer* renderer = SDL_CreateRenderer(sdl.window, -1, SDL_RENDERER_PRESENTVSYNC);
  if (renderer != nullptr && !RasterisesOnTheProcessor(renderer)) {
    return renderer;
  }
  if (renderer != nullptr) {
    SDL_DestroyRenderer(renderer);
  }
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  return SDL_CreateRenderer(sdl.window, -1, SDL_RENDERER_SOFTWARE);
}

// The renderer and the frame's texture; false when either cannot be made.
bool CreateRenderer() {
  sdl.renderer = CreateBestRenderer();
  if (sdl.renderer == nullptr) {
    return false;
  }
  // RGB888 is 0x00RRGGBB in a 32-bit word: the frame's own pixels, copied as they are.
  sdl.frame = SDL_CreateTexture(sdl.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                screenWidth, screenHeight);
  return sdl.frame != nullptr;
}

void DestroyEnlarged() {
  if (sdl.enlarged != nullptr) {
    SDL_DestroyTexture(sdl.enlarged);
    sdl.enlarged = nullptr;
  }
  sdl.enlargedFactor = 0;
}

void DestroyPicture() {
  if (sdl.picture != nullptr) {
    SDL_DestroyTexture(sdl.picture);
    sdl.picture = nullptr;
  }
  sdl.pictureWidth = 0;
  sdl.pictureHeight = 0;
}

void DestroyRenderer() {
  DestroyEnlarged();
  DestroyPicture();
  if (sdl.frame != nullptr) {
    SDL_DestroyTexture(sdl.frame);
    sdl.frame = nullptr;
  }
  if (sdl.renderer != nullptr) {
    SDL_DestroyRenderer(sdl.renderer);
    sdl.renderer = nullptr;
  }
}

// The frame enlarged nearest-neighbour by `factor` in the enlargement texture, made (again) when
// the factor changed. False when the texture cannot be made or drawn into.
bool DrawEnlarged(std::int32_t factor) {
  if (sdl.enlargedFactor != factor) {
    DestroyEnlarged();
    sdl.enlarged = SDL_CreateTexture(sdl.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET,
                                     screenWidth * factor, screenHeight * factor);
    if (sdl.enlarged == nullptr) {
      return false;
    }
    SDL_SetTextureScaleMode(sdl.enlarged, SDL_ScaleModeLinear);
    sdl.enlargedFactor = factor;
  }
  if (SDL_SetRenderTarget(sdl.renderer, sdl.enlarged) != 0) {
    return false;
  }
  SDL_SetTextureScaleMode(sdl.frame, SDL_ScaleModeNearest);
  SDL_RenderCopy(sdl.renderer, sdl.frame, nullptr, nullptr);
  SDL_SetRenderTarget(sdl.renderer, nullptr);
  return true;
}

// Draws the frame's texture into `box` of the window: nearest-neighbour at a whole scale, else
// sharp bilinear, or plain linear filtering when the box is smaller than the frame (factor 1) or
// the enlargement cannot be had.
void DrawFrameInto(const FrameRect& box) {
  const SDL_Rect target{box.x, box.y, box.width, box.height};
  if (IsWholeScale(box)) {
    SDL_SetTextureScaleMode(sdl.frame, SDL_ScaleModeNearest);
    SDL_RenderCopy(sdl.renderer, sdl.frame, nullptr, &target);
    return;
  }
  const std::int32_t factor = EnlargementFactor(box);
  if (factor > 1 && DrawEnlarged(factor)) {
    SDL_RenderCopy(sdl.renderer, sdl.enlarged, nullptr, &target);
    return;
  }
  SDL_SetTextureScaleMode(sdl.frame, SDL_ScaleModeLinear);
  SDL_RenderCopy(sdl.renderer, sdl.frame, nullptr, &target);
}

}  // namespace

bool OpenSdlDisplay(SdlDrawing drawing) {
  const Uint32 opengl = drawing == SdlDrawing::Gl ? SDL_WINDOW_OPENGL : 0;
  sdl.window =
      SDL_CreateWindow("Chromaflux", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, screenWidth,
                       screenHeight, kFullscreen | SDL_WINDOW_ALLOW_HIGHDPI | opengl);
  if (sdl.window == nullptr) {
    return false;
  }
  SDL_ShowCursor(SDL_DISABLE);
  if (drawing == SdlDrawing::Software && !CreateRenderer()) {
    return false;
  }
  CoverDisplayWithoutWindowManager(sdl.window);
  return true;
}

bool OpenSdlDisplayOn(std::uintptr_t nativeWindow, SdlDrawing drawing) {
  SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, drawing == SdlDrawing::Gl ? "1" : "0");
  sdl.window = SDL_CreateWindowFrom(reinterpret_cast<const void*>(nativeWindow));
  return sdl.window != nullptr && (drawing == SdlDrawing::Gl || CreateRenderer());
}

void CloseSdlDisplay() {
  DestroyRenderer();
  if (sdl.window != nullptr) {
    SDL_DestroyWindow(sdl.window);
    sdl.window = nullptr;
  }
  sdl.rendererLost = false;
}

SDL_Window* SdlDisplayWindow() {
  return sdl.window;
}

void ReportRendererReset() {
  sdl.rendererLost = true;
}

void ToggleFullscreen() {
  if ((SDL_GetWindowFlags(sdl.window) & kFullscreen) == kFullscreen) {
    SDL_SetWindowFullscreen(sdl.window, 0);
    SDL_SetWindowSize(sdl.window, screenWidth, screenHeight);
    SDL_SetWindowPosition(sdl.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  } else {
    SDL_SetWindowFullscreen(sdl.window, kFullscreen);
    CoverDisplayWithoutWindowManager(sdl.window);
  }
}

// The renderer offers to present in step with the display's refresh. SDL's software renderer
// reports vsync but presents by copying into the window's framebuffer at once (1.3 ms for
// 1920 x 1080 under Xvfb): the loop must pace itself there.
bool DisplayPacesFrames() {
  SDL_RendererInfo info{};
  return SDL_GetRendererInfo(sdl.renderer, &info) == 0 &&
         (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0 && (info.flags & SDL_RENDERER_SOFTWARE) == 0;
}

// Each frame first sets the picture's size: the renderer's output in high resolution, which
// follows every resize, else (the run's settings choose it) the classic frame's. A size whose
// memory cannot be had keeps the previous one.
DisplayCheck BeginFrame() {
  if (sdl.window == nullptr) {
    return DisplayCheck::Ready;
  }
  if ((SDL_GetWindowFlags(sdl.window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0) {
    return DisplayCheck::NotExclusive;
  }
  if (sdl.rendererLost) {
    DestroyRenderer();
    if (!CreateRenderer()) {
      return DisplayCheck::Failed;
    }
    CoverDisplayWithoutWindowManager(sdl.window);
    sdl.rendererLost = false;
  }
  int width = screenWidth;
  int height = screenHeight;
  if (!app.settings.classic) {
    SDL_GetRendererOutputSize(sdl.renderer, &width, &height);
  }
  if (width >= 1 && height >= 1) {
    SetPictureSize(width, height);
  }
  return DisplayCheck::Ready;
}

// The high-resolution picture pixel for pixel; its texture made again when its size changed.
void DrawPicture(const FrameView& picture) {
  if (sdl.pictureWidth != picture.width || sdl.pictureHeight != picture.height) {
    DestroyPicture();
    sdl.picture = SDL_CreateTexture(sdl.renderer, SDL_PIXELFORMAT_RGB888,
                                    SDL_TEXTUREACCESS_STREAMING, picture.width, picture.height);
    if (sdl.picture == nullptr) {
      return;
    }
    sdl.pictureWidth = picture.width;
    sdl.pictureHeight = picture.height;
  }
  SDL_UpdateTexture(sdl.picture, nullptr, picture.pixels, picture.pitch * kBytesPerPixel);
  SDL_RenderCopy(sdl.renderer, sdl.picture, nullptr, nullptr);
}

void FinishFrame(const FrameDescription& frame) {
  const FrameView shown = FinishMemoryFrame(frame);
  if (sdl.window == nullptr) {
    return;
  }
  SDL_SetRenderDrawColor(sdl.renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
  SDL_RenderClear(sdl.renderer);
  if (shown.width == screenWidth && shown.height == screenHeight) {
    SDL_UpdateTexture(sdl.frame, nullptr, shown.pixels, shown.pitch * kBytesPerPixel);
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(sdl.renderer, &outputWidth, &outputHeight);
    DrawFrameInto(FitFrame(outputWidth, outputHeight));
  } else {
    DrawPicture(shown);
  }
  SDL_RenderPresent(sdl.renderer);
}
