// The SDL side of the display: the window, its renderer and the textures the memory frame is
// presented through. The per-frame operations of platform/display.h work on what this opens.
//
// The picture is drawn at the window's own resolution in its pixels (high resolution), or, where
// the run's settings choose the classic frame (app.settings.classic: --classic, H), as the
// classic 800 x 600 frame magnified into its 4:3 box. Without a window (pictures rendered to
// files) every frame is drawn in memory at the size SetPictureSize gave, and nothing is shown.
#pragma once

#include <cstdint>

struct SDL_Window;

// Who draws on the window: the software renderer through SDL's renderer and the textures below,
// or the GL renderer through an OpenGL context on it (sdl/gl_window.h), for which the window is
// made and nothing else.
enum class SdlDrawing { Software, Gl };

// Opens the window borderless and full screen on the desktop's own mode (no mode change), laid
// over the display by itself where no window manager makes it full screen (X with none, as in a
// kiosk), in the display's own pixels where it has more than one per point (high density), hides
// the pointer over it, and for the software renderer creates the renderer (with vsync where
// offered) and the frame texture. Returns false when any of them cannot be made; SDL_GetError()
// then says why.
bool OpenSdlDisplay(SdlDrawing drawing);

// Opens the display on a window another program made (an X window id on X11): the picture
// fills it at 4:3 on black, the pointer and the window's state are left to its owner. Returns
// false when SDL cannot take the window or make a renderer for it; SDL_GetError() says why.
bool OpenSdlDisplayOn(std::uintptr_t nativeWindow, SdlDrawing drawing);

// Releases the textures, the renderer and the window. Harmless when nothing is open.
void CloseSdlDisplay();

// The window, for a message box to stand over; null while none is open.
SDL_Window* SdlDisplayWindow();

// The renderer reported SDL_RENDER_DEVICE_RESET: the next BeginFrame makes it again.
void ReportRendererReset();

// Switches between full screen and an 800 x 600 window in the middle of the desktop.
void ToggleFullscreen();
