#include "windows/gdi_picture.h"

#include "windows/frame_box.h"

namespace {

constexpr WORD kBitsPerPixel = 32;

LONG Width(const RECT& area) {
  return area.right - area.left;
}

LONG Height(const RECT& area) {
  return area.bottom - area.top;
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
RECT ViewBox(const FrameView& view, const RECT& area) {
  if (view.width == Width(area) && view.height == Height(area)) {
    return area;
  }
  RECT box = FitFrameBox(Width(area), Height(area));
  OffsetRect(&box, area.left, area.top);
  return box;
}

}  // namespace

void ShowGdiPicture(HDC dc, const FrameView& view, const RECT& area) {
  if (view.pixels == nullptr) {
    return;
  }
  const RECT box = ViewBox(view, area);
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
