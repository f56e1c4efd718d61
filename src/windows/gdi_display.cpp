// The GDI presenter. One StretchDIBits per frame of the memory frame's view (0x00RRGGBB rows, top
// row first): at the area's size it copies pixel for pixel, which Wine does as a plain copy. The
// results of GetDC, SetPictureSize and StretchDIBits are ignored on purpose: a failure costs one
// frame's picture (or, for the size, shows the classic frame), and a window that is gone says so
// in the next BeginFrame.
#include "windows/gdi_display.h"

#include "platform/display.h"
#include "software/memory_frame.h"
#include "state/app_state.h"
#include "windows/frame_box.h"

namespace {

constexpr WORD kBitsPerPixel = 32;

// The presenter's own state: where the picture goes.
struct GdiDisplay {
  HWND window = nullptr;  // the window presented into; null when closed
  RECT area{};            // the picture's place and size, in the window's client coordinates
  bool classic = false;   // the classic frame in the area's 4:3 box instead of the area's size
};

GdiDisplay display;

LONG AreaWidth() {
  return display.area.right - display.area.left;
}

LONG AreaHeight() {
  return display.area.bottom - display.area.top;
}

// The view's layout: rows `pitch` pixels apart; a negative height marks rows top first.
BITMAPINFO ViewFormat(const FrameView& view) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = view.pitch;
  format.bmiHeader.biHeight = -view.height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = kBitsPerPixel;
  format.bmiHeader.biCompression = BI_RGB;
  return format;
}

// The area itself for a picture of its size. The only other size a view can have is the classic
// frame's, chosen or where the memory for the area's size could not be had: the largest 4:3 box
// of the area.
RECT ViewBox(const FrameView& view) {
  if (view.width == AreaWidth() && view.height == AreaHeight()) {
    return display.area;
  }
  RECT box = FitFrameBox(AreaWidth(), AreaHeight());
  OffsetRect(&box, display.area.left, display.area.top);
  return box;
}

void ShowView(HDC dc, const FrameView& view) {
  if (view.pixels == nullptr) {
    return;
  }
  const RECT box = ViewBox(view);
  const BITMAPINFO format = ViewFormat(view);
  // Made larger, the pixels are copied (COLORONCOLOR): averaging costs too much at screen sizes
  // (docs/screensaver-windows.md). Made smaller (the classic frame in a preview), they are
  // averaged (HALFTONE), which costs little there and drops no thin lines.
  const bool smaller = box.right - box.left < view.width;
  SetStretchBltMode(dc, smaller ? HALFTONE : COLORONCOLOR);
  if (smaller) {
    SetBrushOrgEx(dc, 0, 0, nullptr);  // as HALFTONE asks
  }
  StretchDIBits(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, 0, view.width,
                view.height, view.pixels, &format, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

void OpenGdiDisplay(HWND window, const RECT& area, bool classic) {
  display.window = window;
  display.area = area;
  display.classic = classic;
}

// Between frames the picture holds the latest finished frame.
void PaintGdiDisplay() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(display.window, &paint);
  ShowView(dc, PictureView());
  EndPaint(display.window, &paint);
}

void CloseGdiDisplay() {
  display.window = nullptr;
}

// A hidden or minimised window skips frames with the clocks untouched, like a display that
// another program holds. The picture's size is set each frame; it changes only with the area.
// The classic size makes the picture the console layer itself (software/memory_frame.h).
DisplayCheck BeginFrame() {
  if (display.window == nullptr || IsWindow(display.window) == FALSE) {
    return DisplayCheck::Failed;
  }
  if (IsWindowVisible(display.window) == FALSE || IsIconic(display.window) != FALSE) {
    return DisplayCheck::NotExclusive;
  }
  if (display.classic) {
    SetPictureSize(screenWidth, screenHeight);
  } else if (AreaWidth() >= 1 && AreaHeight() >= 1) {
    SetPictureSize(AreaWidth(), AreaHeight());
  }
  return DisplayCheck::Ready;
}

// StretchDIBits puts the frame on the window at once.
bool DisplayPacesFrames() {
  return false;
}

void FinishFrame() {
  const FrameView shown = FinishMemoryFrame();
  HDC dc = GetDC(display.window);
  ShowView(dc, shown);
  ReleaseDC(display.window, dc);
}
