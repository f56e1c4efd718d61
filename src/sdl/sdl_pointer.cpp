#include "sdl/sdl_pointer.h"

#include "software/frame_fit.h"
#include "state/app_state.h"

namespace {

constexpr double kPointsPerInch = 96;
// Densities outside these are taken for a display that misreports its size.
constexpr double kLeastLikelyDpi = 48;
constexpr double kMostLikelyDpi = 800;

// The box picture 0 fills on the window's pixels.
FrameRect PictureBox(const WindowPicture& window) {
  const bool ownSize =
      window.picture.width == window.pixels.width && window.picture.height == window.pixels.height;
  return ownSize ? FrameRect{0, 0, window.pixels.width, window.pixels.height}
                 : FitFrame(window.pixels.width, window.pixels.height);
}

double PixelsPerWindowPoint(const WindowPicture& window) {
  return window.window.width > 0 ? static_cast<double>(window.pixels.width) / window.window.width
                                 : 1.0;
}

}  // namespace

WindowPicture CurrentWindowPicture(SDL_Window* window) {
  WindowPicture picture;
  SDL_GetWindowSize(window, &picture.window.width, &picture.window.height);
  SDL_GetWindowSizeInPixels(window, &picture.pixels.width, &picture.pixels.height);
  picture.picture = app.frame.pictures[0].size;
  if (picture.picture.width <= 0 || picture.picture.height <= 0) {
    picture.picture = picture.pixels;  // no frame described yet
  }
  float dpi = 0;
  if (SDL_GetDisplayDPI(SDL_GetWindowDisplayIndex(window), &dpi, nullptr, nullptr) == 0) {
    picture.dotsPerInch = dpi;
  }
  return picture;
}

PicturePoint ToPicture(double x, double y, const WindowPicture& window) {
  const double pixelsPerPoint = PixelsPerWindowPoint(window);
  const FrameRect box = PictureBox(window);
  if (box.width <= 0 || box.height <= 0) {
    return {x, y};
  }
  return {(x * pixelsPerPoint - box.x) * window.picture.width / box.width,
          (y * pixelsPerPoint - box.y) * window.picture.height / box.height};
}

double PicturePixelsPerPoint(const WindowPicture& window) {
  const bool likely = window.dotsPerInch >= kLeastLikelyDpi && window.dotsPerInch <= kMostLikelyDpi;
  const double pixels = likely ? window.dotsPerInch / kPointsPerInch : PixelsPerWindowPoint(window);
  const FrameRect box = PictureBox(window);
  return box.width > 0 ? pixels * window.picture.width / box.width : pixels;
}

std::optional<PointerEvent> FingerEventOf(const SDL_Event& event, const WindowPicture& window) {
  PointerEvent pointer;
  switch (event.type) {
    case SDL_FINGERDOWN:
      pointer.phase = PointerPhase::Down;
      break;
    case SDL_FINGERMOTION:
      pointer.phase = PointerPhase::Move;
      break;
    case SDL_FINGERUP:
      pointer.phase = PointerPhase::Up;
      break;
    default:
      return std::nullopt;
  }
  const SDL_TouchFingerEvent& finger = event.tfinger;
  // Positions are fractions of the window; a finger's id stays unique in its low bits.
  const PicturePoint at =
      ToPicture(finger.x * window.window.width, finger.y * window.window.height, window);
  pointer.id = static_cast<std::int32_t>(finger.fingerId);
  pointer.x = at.x;
  pointer.y = at.y;
  pointer.tick = finger.timestamp;
  return pointer;
}
