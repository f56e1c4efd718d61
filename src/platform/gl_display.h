// Platform boundary: the OpenGL context the GL renderer (gl/gl_renderer.h) draws with, and the
// pictures it draws on.
//
// The platform makes the context (OpenGL 3.3 core, OpenGL ES 3.0 or WebGL2) and keeps it current
// on this thread before the run starts; the renderer takes its functions from it. A frame is:
// BeginGlFrame; for each picture, TargetGlPicture and the drawing, which fills the picture's
// whole viewport; PresentGlFrame. The pictures are drawable surfaces of the picture's size: a
// window's framebuffer, or a framebuffer object whose pixels the platform reads back.
#pragma once

#include <cstdint>

#include "platform/display.h"
#include "state/frame_description.h"

// A GL function as the platform's loader returns it, to be cast to its real type.
using GlFunction = void (*)();

// The context's function `name` ("glTexSubImage2D"); null where the context has none.
GlFunction GlFunctionAddress(const char* name);

// Whether the context speaks OpenGL ES 3.0 (WebGL2 too) rather than OpenGL 3.3 core: the
// shaders' version line differs.
bool GlContextIsEs();

// Tests the context and the pictures' surfaces; when Ready, the frame has begun and the
// pictures have their sizes for this frame. Failed: the context is lost and cannot be had back.
DisplayCheck BeginGlFrame();

// The frame's pictures, 1 ... kMostPictures, and each one's size in pixels.
std::int32_t GlPictureCount();
PictureSize GlPictureSize(std::int32_t picture);

// Binds picture `picture`'s surface as the draw framebuffer; its viewport is its whole size.
void TargetGlPicture(std::int32_t picture);

// Shows the drawn pictures (or reads them back).
void PresentGlFrame();

// Whether presenting waits for the display's refresh (app/frame_pacing.h).
bool GlPacesFrames();
