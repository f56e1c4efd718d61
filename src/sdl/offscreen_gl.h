// A GL context with no display at all (EGL on Mesa's surfaceless platform) and one picture drawn
// into a framebuffer object and read back after every frame: the GL renderer's --render, which
// runs on a machine with no X server. sdl/gl_display.cpp serves the GL renderer from it while it
// is open.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gl_display.h"
#include "state/frame_view.h"

// Makes an OpenGL 3.3 core context current and a width x height picture for it. False, with one
// line in `problem` naming what is missing, where no such context or picture can be had.
bool OpenOffscreenGl(std::int32_t width, std::int32_t height, std::string& problem);

// The picture as the last frame left it, top row first, 0x00RRGGBB, read back when first asked
// for; null pixels before a frame was drawn.
FrameView OffscreenGlPicture();

// The renderer the context runs on ("llvmpipe (LLVM 15.0.6, 256 bits)"); empty while closed.
std::string OffscreenGlRendererName();

// Gives back the picture and the context. Harmless when none is open.
void CloseOffscreenGl();

// The parts of platform/gl_display.h for the offscreen picture; presenting only notes that a new
// frame is there to read back.
GlFunction OffscreenGlFunctionAddress(const char* name);
DisplayCheck BeginOffscreenGlFrame();
PictureSize OffscreenGlPictureSize();
void TargetOffscreenGlPicture();
void FinishOffscreenGlFrame();
