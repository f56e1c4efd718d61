// The window of "/s". Results of the window calls after CreateWindowExA are ignored on purpose:
// a saver that cannot take the foreground or hide the pointer still shows its visuals.
#include "windows/saver_run.h"

#include <cstdlib>

#include "windows/gdi_display.h"
#include "windows/saver_display.h"
#include "windows/saver_visuals.h"

namespace {

constexpr char kWindowClass[] = "ChromafluxSaver";
constexpr char kWindowTitle[] = "Chromaflux";
constexpr int kExitFailure = 1;
// A pointer within this many pixels of its place at the start, in x and in y, has only been
// jiggled (a desk knocked, a mouse that drifts); further away, the user is back.
constexpr LONG kPointerSlackPixels = 4;
// WM_SYSCOMMAND's low four bits are Windows's own; the command is in the others.
constexpr WPARAM kSystemCommandMask = 0xFFF0;

// The pop-up's own state.
struct SaverWindow {
  POINT pointerStart{};       // where the pointer was when the saver started, screen coordinates
  bool pointerKnown = false;  // pointerStart holds a position
};

SaverWindow saver;

// Whether the pointer, now at `client` of `window`, went further than the slack from the start.
// Without a start position (GetCursorPos refused), the first move sets it.
bool PointerLeftStart(HWND window, LPARAM client) {
  POINT now{static_cast<short>(LOWORD(client)), static_cast<short>(HIWORD(client))};
  ClientToScreen(window, &now);
  if (!saver.pointerKnown) {
    saver.pointerStart = now;
    saver.pointerKnown = true;
    return false;
  }
  return std::labs(now.x - saver.pointerStart.x) > kPointerSlackPixels ||
         std::labs(now.y - saver.pointerStart.y) > kPointerSlackPixels;
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      DestroyWindow(window);
      return 0;
    case WM_MOUSEMOVE:
      if (PointerLeftStart(window, lParam)) {
        DestroyWindow(window);
      }
      return 0;
    case WM_ACTIVATEAPP:
      if (wParam == FALSE) {
        DestroyWindow(window);
      }
      return 0;
    case WM_SYSCOMMAND:
      // Windows asks the foreground window before it starts the screen saver: not again.
      if ((wParam & kSystemCommandMask) == SC_SCREENSAVE) {
        return 0;
      }
      break;
    case WM_PAINT:
      PaintGdiDisplay(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Registering a second time (a class left from an earlier run in the process) fails harmlessly.
void RegisterSaverClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = SaverWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
}

// The monitors as EnumDisplayMonitors lists them, the first kMostPictures and the primary one;
// those it cannot describe are left out.
struct MonitorList {
  std::array<Monitor, kMostPictures> monitor{};
  std::int32_t count = 0;
};

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM listAddress) {
  auto& list = *reinterpret_cast<MonitorList*>(listAddress);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(handle, &info) == FALSE) {
    return TRUE;
  }
  const Monitor monitor{info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
  if (list.count < kMostPictures) {
    list.monitor[list.count++] = monitor;
  } else if (monitor.primary) {
    list.monitor[kMostPictures - 1] = monitor;
  }
  return TRUE;
}

// Every monitor's area on the pop-up; where Windows lists none, the primary one by its size.
MonitorAreas MonitorsOn(const RECT& screen) {
  MonitorList list;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  if (list.count == 0) {
    list.monitor[0] = {{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, true};
    list.count = 1;
  }
  return ArrangeMonitors(screen, list.monitor.data(), list.count);
}

RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

MonitorAreas ArrangeMonitors(const RECT& virtualScreen, const Monitor* monitors,
                             std::int32_t count) {
  MonitorAreas areas;
  const auto place = [&](const Monitor& monitor) {
    if (areas.count < kMostPictures) {
      RECT& area = areas.area[areas.count++];
      area = monitor.rect;
      OffsetRect(&area, -virtualScreen.left, -virtualScreen.top);
    }
  };
  for (std::int32_t i = 0; i < count; ++i) {
    if (monitors[i].primary) {
      place(monitors[i]);
    }
  }
  for (std::int32_t i = 0; i < count; ++i) {
    if (!monitors[i].primary) {
      place(monitors[i]);
    }
  }
  return areas;
}

int RunScreenSaver(HINSTANCE instance, const SaverSettings& settings) {
  RegisterSaverClass(instance);
  const RECT screen = VirtualScreen();
  saver.pointerKnown = GetCursorPos(&saver.pointerStart) != FALSE;
  HWND window = CreateWindowExA(WS_EX_TOPMOST, kWindowClass, kWindowTitle, WS_POPUP, screen.left,
                                screen.top, screen.right - screen.left, screen.bottom - screen.top,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return kExitFailure;
  }
  const MonitorAreas monitors = MonitorsOn(screen);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  ShowCursor(FALSE);
  // After the pop-up shows: the GL renderer's monitors are windows of their own over it.
  OpenSaverDisplay(window, monitors.area.data(), monitors.count, settings);
  const bool ran = RunSaverVisuals(settings.run);
  ShowCursor(TRUE);
  CloseSaverDisplay();
  if (ran) {
    return 0;
  }
  // Hidden, not destroyed: WM_DESTROY would post the WM_QUIT that ends the box's own loop.
  ShowWindow(window, SW_HIDE);
  MessageBoxA(nullptr, "not enough memory", "error", MB_OK);
  return kExitFailure;
}
