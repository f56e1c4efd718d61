// The GL renderer's pictures on Windows (platform/gl_display.h), drawn with one OpenGL 3.3 core
// context made through WGL (windows/wgl_context.h): on windows of their own over the areas of a
// top-level host (the screen saver's monitors), or in framebuffer objects read back after each
// frame, then copied into a child host with GDI (the preview) or left to the caller (the screen
// saver's self-check, the tests). One of them is open at a time.
//
// One context serves every picture, made current on picture i's window by TargetGlPicture(i):
// the fields and the ring are uploaded once a frame for all monitors, and every window has the
// same pixel format, as sharing a context asks. A picture of its area's size is drawn on its
// window; the classic frame is drawn into an 800 x 600 framebuffer object and stretched onto its
// window (copied pixels), which covers the area's largest 4:3 box (windows/frame_box.h) on the
// host's black.
//
// On a top-level host (the screen saver's pop-up) each picture's window is a top-level pop-up of
// its own, owned by the host, topmost and never activated, so that the keyboard stays with the
// host; it hands the pointer's messages to the host. On a child host (the preview) the pictures
// are read back after each frame and copied in with GDI (windows/gdi_picture.h), as the software
// renderer's are: Windows draws OpenGL in child windows too, but Wine 8 shows nothing of it where
// the top-level window has a surface of its own (its copy from the child's drawable fails), and at
// the preview's size (152 x 112) the read-back costs next to nothing.
//
// Picture 0's window presents last, with a swap interval of 1 where WGL_EXT_swap_control is
// offered, every other window before it with none: several monitors wait for one refresh a frame,
// not one each. Drivers keep the interval with the drawable (Wine) or with the context, so with
// several windows it is set before each swap.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "state/frame_description.h"
#include "state/frame_view.h"

// Covers each of `count` areas of `host` (client coordinates; 1 ... kMostPictures, more are left
// out) with the window of its picture: the area's size, or, for `classic`, the classic frame in
// the area's 4:3 box. A top-level host shows before, so that the pictures' windows come over it.
// The context is left current. False, with one line in `problem` and nothing left open, where the
// context, a pixel format, a window or a framebuffer cannot be had.
bool OpenWglWindows(HWND host, const RECT* areas, std::int32_t count, bool classic,
                    std::string& problem);

// One picture of `size` in a framebuffer object, read back after each frame, with the context on a
// hidden window of its own. False, with one line in `problem`, as above.
bool OpenWglReadBack(PictureSize size, std::string& problem);

// The read-back picture as the last frame left it, top row first, 0x00RRGGBB; null pixels before
// the first frame, or where no read-back is open.
FrameView WglReadBackPicture();

// The open context's GL_RENDERER ("llvmpipe (LLVM 15.0.6, 256 bits)"); empty while none is open.
std::string WglRendererName();

// Gives back the windows, the framebuffers and the context. Harmless when none is open.
void CloseWglDisplay();
