// The GDI presenter. One StretchDIBits per picture and frame of the memory frame's views
// (0x00RRGGBB rows, top row first), each into its own area: at the area's size it copies pixel for
// pixel, which Wine does as a plain copy. The results of GetDC, StretchDIBits and the classic
// size's SetPictureSize are ignored on purpose: a failure costs one frame's picture (or, for
// the size, leaves that picture black), and a window that is gone says so in the next
// BeginFrame.
#include "windows/gdi_display.h"

#include <array>

#include "platform/display.h"
#include "software/memory_frame.h"
#include "state/app_state.h"
#include "windows/frame_box.h"

namespace {

constexpr WORD kBitsPerPixel = 32;

// The presenter's own state: where the pictures go.
struct GdiDisplay {
  HWND window = nullptr;                   // the window presented into; null when closed
  std::array<RECT, kMostPictures> area{};  // picture i's place and size, client coordinates
  std::int32_t count = 1;                  // pictures, one an area: 1 ... kMostPictures
};

GdiDisplay display;

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

void ShowView(HDC dc, const FrameView& view, const RECT& area) {
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

// Picture 0 as FinishMemoryFrame gave it (`first`), the others as they were drawn.
void ShowPictures(HDC dc, const FrameView& first) {
  ShowView(dc, first, display.area[0]);
  for (std::int32_t picture = 1; picture < display.count; ++picture) {
    ShowView(dc, PictureView(picture), display.area[picture]);
  }
}

}  // namespace

void OpenGdiDisplay(HWND window, const RECT* areas, std::int32_t count) {
  display.window = window;
  display.count = count < 1 ? 1 : (count > kMostPictures ? kMostPictures : count);
  for (std::int32_t picture = 0; picture < display.count; ++picture) {
    display.area[picture] = areas[picture];
  }
}

// Between frames the pictures hold the latest finished frame.
void PaintGdiDisplay() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(display.window, &paint);
  ShowPictures(dc, PictureView());
  EndPaint(display.window, &paint);
}

void CloseGdiDisplay() {
  display.window = nullptr;
}

// A hidden or minimised window skips frames with the clocks untouched, like a display that
// another program holds. The pictures' sizes are set each frame; they change only with the areas.
// The classic size, where the run's settings choose the classic frame, makes picture 0 the
// console layer itself (software/memory_frame.h).
DisplayCheck BeginFrame() {
  if (display.window == nullptr || IsWindow(display.window) == FALSE) {
    return DisplayCheck::Failed;
  }
  if (IsWindowVisible(display.window) == FALSE || IsIconic(display.window) != FALSE) {
    return DisplayCheck::NotExclusive;
  }
  SetPictureCount(display.count);
  for (std::int32_t picture = 0; picture < display.count; ++picture) {
    const RECT& area = display.area[picture];
    if (app.settings.classic) {
      SetPictureSize(screenWidth, screenHeight, picture);
    } else if (Width(area) >= 1 && Height(area) >= 1 &&
               !SetPictureSize(Width(area), Height(area), picture)) {
      // Without the memory for the area's size, the classic frame: for picture 0 the console layer.
      SetPictureSize(screenWidth, screenHeight, picture);
    }
  }
  return DisplayCheck::Ready;
}

// StretchDIBits puts the frame on the window at once.
bool DisplayPacesFrames() {
  return false;
}

void FinishFrame(const FrameDescription& frame) {
  const FrameView shown = FinishMemoryFrame(frame);
  HDC dc = GetDC(display.window);
  ShowPictures(dc, shown);
  ReleaseDC(display.window, dc);
}
