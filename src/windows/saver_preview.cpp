#include "windows/saver_preview.h"

#include "windows/gdi_display.h"
#include "windows/saver_display.h"
#include "windows/saver_visuals.h"

namespace {

constexpr char kWindowClass[] = "ChromafluxPreview";
constexpr int kExitNoMemory = 1;

LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintGdiDisplay(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// Registering a second time (a class left from an earlier run in the process) fails harmlessly.
void RegisterPreviewClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PreviewWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
}

}  // namespace

int RunPreview(HINSTANCE instance, HWND parent, const SaverSettings& settings) {
  RECT client{};
  if (IsWindow(parent) == FALSE || GetClientRect(parent, &client) == FALSE) {
    return 0;
  }
  RegisterPreviewClass(instance);
  // Disabled: clicks and keys stay with the settings dialog.
  HWND child = CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0,
                               client.right, client.bottom, parent, nullptr, instance, nullptr);
  if (child == nullptr) {
    return 0;
  }
  OpenSaverDisplay(child, &client, 1, settings);
  const bool ran = RunSaverVisuals(settings.run);
  CloseSaverDisplay();
  return ran ? 0 : kExitNoMemory;
}
