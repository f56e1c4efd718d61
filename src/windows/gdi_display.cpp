// The GDI presenter. One StretchDIBits per picture and frame of the memory frame's views
// (0x00RRGGBB rows, top row first), each into its own area (windows/gdi_picture.h). The results
// of GetDC and the classic size's SetPictureSize are ignored on purpose: a failure costs one
// frame's picture (or, for the size, leaves that picture black), and a window that is gone says
// so in the next BeginFrame.
#include "windows/gdi_display.h"

#include <array>

#include "platform/display.h"
#include "software/memory_frame.h"
#include "state/app_state.h"
#include "windows/gdi_picture.h"

namespace {

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

// Picture 0 as FinishMemoryFrame gave it (`first`), the others as they were drawn.
void ShowPictures(HDC dc, const FrameView& first) {
  ShowGdiPicture(dc, first, display.area[0]);
  for (std::int32_t picture = 1; picture < display.count; ++picture) {
    ShowGdiPicture(dc, PictureView(picture), display.area[picture]);
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
void PaintGdiDisplay(HWND window) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (window == display.window) {
    ShowPictures(dc, PictureView());
  }
  EndPaint(window, &paint);
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
