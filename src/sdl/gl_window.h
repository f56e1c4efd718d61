// The GL renderer on the SDL program's window: an OpenGL 3.3 core context made current on it,
// presenting in step with the display's refresh. At high resolution the picture is the window's
// drawable, pixel for pixel; the classic frame (app.settings.classic) is drawn into an 800 x 600
// framebuffer object and shown in the largest 4:3 box on black as the software display shows it
// (software/frame_fit.h: nearest-neighbour at a whole scale, else sharp bilinear).
#pragma once

#include <string>

#include "platform/display.h"
#include "state/frame_description.h"

struct SDL_Window;

// Makes the context on `window` (made with SDL_WINDOW_OPENGL, or another program's window taken
// for OpenGL, `foreign`) current and takes its functions. False, with one line in `problem`,
// where SDL gives no such context.
bool OpenGlWindow(SDL_Window* window, bool foreign, std::string& problem);

// Gives back the context and its framebuffers. Harmless when none is open.
void CloseGlWindow();

// Whether a context is open on the window.
bool GlWindowIsOpen();

// The context's GL_RENDERER; empty while none is open.
std::string GlWindowRendererName();

// Whether the driver reset the context, or it could not draw the next frame: no frame is drawn
// until the context is made again (OpenGlWindow) or the window opened for the software renderer.
bool GlWindowWasLost();

// The parts of platform/gl_display.h for the window.
DisplayCheck BeginGlWindowFrame();
PictureSize GlWindowPictureSize();
void TargetGlWindowPicture();
void PresentGlWindow();
bool GlWindowPacesFrames();
