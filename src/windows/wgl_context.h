// An OpenGL 3.3 core context through WGL. Windows' opengl32 makes legacy contexts only, and gives
// the extension that makes others (wglCreateContextAttribsARB) only while a context is current: a
// legacy context is made first, on the same device context, and given back once the core one is
// made. Every window a context draws on needs the same pixel format.
#pragma once

#include <windows.h>

#include "platform/gl_display.h"

// WGL_EXT_swap_control's wglSwapIntervalEXT: how many refreshes the current drawable's next swaps
// wait for.
using SwapInterval = BOOL(WINAPI*)(int refreshes);

// Gives `dc`, the device context of a window of a class with CS_OWNDC, the pixel format the
// contexts draw with: RGBA of 8 bits a channel, double-buffered, drawn by OpenGL. False where the
// driver has none, or the window has another pixel format already.
bool SetGlPixelFormat(HDC dc);

// Makes an OpenGL 3.3 core context on `dc`, whose pixel format is set, and leaves it current;
// null, with no context current, where the driver offers none.
HGLRC MakeCoreContext(HDC dc);

// The current context's function `name`: wglGetProcAddress's, or for the OpenGL 1.1 functions,
// for which it answers null or 1, 2, 3 or -1, opengl32's own export. Null where there is neither.
GlFunction CoreContextFunction(const char* name);

// The current context's wglSwapIntervalEXT; null where the driver does not offer it.
SwapInterval SwapIntervalFunction();
