// The GDI presenter. One StretchDIBits per frame, of the 800 x 600 memory frame (0x00RRGGBB rows,
// top row first) into the box. The results of GetDC and StretchDIBits are ignored on purpose: a
// failure costs one frame's picture, and a window that is gone says so in the next BeginFrame.
#include "windows/gdi_display.h"

#include "platform/display.h"
#include "software/memory_frame.h"
#include "state/app_state.h"

namespace {

constexpr WORD kBitsPerPixel = 32;

// The presenter's own state: where the frame goes.
struct GdiDisplay {
  HWND window = nullptr;  // the window presented into; null when closed
  RECT box{};             // where the frame goes, in the window's client coordinates
};

GdiDisplay display;

// The memory frame's layout; a negative height marks rows top first.
BITMAPINFO FrameFormat() {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = screenWidth;
  format.bmiHeader.biHeight = -screenHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = kBitsPerPixel;
  format.bmiHeader.biCompression = BI_RGB;
  return format;
}

const BITMAPINFO kFrameFormat = FrameFormat();

// A picture smaller than the frame (the preview) is averaged (HALFTONE): copying every fifth
// pixel would break the plasma's gradients into noise. A larger one is stretched by copying
// pixels (COLORONCOLOR), which a smooth picture hides well: averaging costs too much at screen
// sizes, 25 ms a frame for 1440 x 1080 under Wine against 3.5 ms (docs/screensaver-windows.md).
bool Shrinks(const RECT& box) {
  return box.right - box.left < screenWidth || box.bottom - box.top < screenHeight;
}

void StretchFrame(HDC dc) {
  const std::uint32_t* pixels = FramePixels();
  if (pixels == nullptr) {
    return;
  }
  // HALFTONE needs the brush origin set after the mode, as StretchBlt's documentation asks.
  if (Shrinks(display.box)) {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
  } else {
    SetStretchBltMode(dc, COLORONCOLOR);
  }
  const RECT& box = display.box;
  StretchDIBits(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, 0,
                screenWidth, screenHeight, pixels, &kFrameFormat, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

void OpenGdiDisplay(HWND window, const RECT& box) {
  display.window = window;
  display.box = box;
}

void PaintGdiDisplay() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(display.window, &paint);
  StretchFrame(dc);
  EndPaint(display.window, &paint);
}

void CloseGdiDisplay() {
  display.window = nullptr;
}

// A hidden or minimised window skips frames with the clocks untouched, like a display that
// another program holds.
DisplayCheck BeginFrame() {
  if (display.window == nullptr || IsWindow(display.window) == FALSE) {
    return DisplayCheck::Failed;
  }
  if (IsWindowVisible(display.window) == FALSE || IsIconic(display.window) != FALSE) {
    return DisplayCheck::NotExclusive;
  }
  return DisplayCheck::Ready;
}

void FinishFrame() {
  HDC dc = GetDC(display.window);
  StretchFrame(dc);
  ReleaseDC(display.window, dc);
}
