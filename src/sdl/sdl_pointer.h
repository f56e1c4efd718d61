// The desktop program's fingers and mouse button in the core's pointer terms
// (app/pointer_gestures.h): where a point of the window lies on picture 0, and how many of the
// picture's pixels make a point.
#pragma once

#include <optional>

#include <SDL2/SDL.h>

#include "app/pointer_gestures.h"
#include "state/frame_description.h"

// The window as pointers see it.
struct WindowPicture {
  PictureSize window;      // in the window system's points (SDL's window size)
  PictureSize pixels;      // in its pixels
  PictureSize picture;     // picture 0: the pixels' own size, or the classic frame's in its
                           // 4:3 box
  double dotsPerInch = 0;  // the display's, where it tells; 0 where it does not
};

// The window of the run, as it stands.
WindowPicture CurrentWindowPicture(SDL_Window* window);

// Where (x, y) in the window's points lies on picture 0, in its pixels.
struct PicturePoint {
  double x;
  double y;
};
PicturePoint ToPicture(double x, double y, const WindowPicture& window);

// Picture pixels per point (1/96 inch) on `window`: from the display's density where it tells a
// likely one, else from the window's pixels per point.
double PicturePixelsPerPoint(const WindowPicture& window);

// The pointer event of an SDL finger event; none for any other event.
std::optional<PointerEvent> FingerEventOf(const SDL_Event& event, const WindowPicture& window);
