// The Windows entry point: start-up, the message loop and shutdown, and the window procedure.
//
// mingw-w64's WinMainCRTStartup (crtexe.c) passes GetModuleHandle's instance, the command line
// after the program name, and STARTUPINFO's wShowWindow when dwFlags holds STARTF_USESHOWWINDOW
// (otherwise SW_SHOWDEFAULT) as nCmdShow; it ends the process through exit(), that is ExitProcess,
// with WinMain's result. So nothing here reads the start-up information itself.
#include <windows.h>

#include "app/frame_driver.h"
#include "app/run.h"
#include "software/software_renderer.h"
#include "state/app_state.h"
#include "windows/ddraw_display.h"
#include "windows/gdi_logos.h"
#include "windows/gdi_text.h"

namespace {

constexpr char kWindowClass[] = "Chromaflux";
constexpr char kWindowTitle[] = "Chromaflux";
constexpr int kExitNoMemory = 1;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      if (PostKey(static_cast<std::uint32_t>(wParam)) == RunRequest::End) {
        PostQuitMessage(0);
      }
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOWFRAME + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
}

// Handles every waiting message, and runs a frame whenever none waits. Returns the wParam of
// the last message taken from the queue.
WPARAM RunMessageLoop() {
  WPARAM lastWParam = 0;
  MSG message{};
  for (;;) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      lastWParam = message.wParam;
      if (message.message == WM_QUIT) {
        return lastWParam;
      }
      if (message.message == WM_LBUTTONDOWN) {
        PostClick();
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else if (RunIdlePass() != 0) {
      return lastWParam;
    }
  }
}

// Takes the display, runs the program on it and gives the display back; the exit code. A refused
// display mode counts like a missing chain: every frame needs 800 x 600 x 32.
int RunOnDisplay(HWND window, DWORD seed) {
  if (OpenDisplay(window) != DD_OK || CreateFlipChain(1) != DD_OK) {
    MessageBoxA(window, "DirectX 7 needed", "error", MB_OK);
    return 0;
  }
  RunSettings settings;
  settings.classic = true;  // the display mode is the classic frame's
  if (!StartRun(seed, RunOpening::IntroPage, settings, SoftwareRenderer())) {
    EndRun();
    CloseDisplay();  // give the desktop back so that the message can be read
    MessageBoxA(window, "not enough memory", "error", MB_OK);
    return kExitNoMemory;
  }

  const WPARAM lastWParam = RunMessageLoop();
  // The run's crew of threads ends here, while the display and the process are whole, rather
  // than in the destructors that exit() runs.
  EndRun();
  CloseDisplay();
  return static_cast<int>(lastWParam);
}

}  // namespace

// Only the flip chain (and the display mode it needs) and the memory are checked: the results of
// the window, device-context, bitmap and font calls are ignored on purpose, since a program
// without them still runs, only without its logos or with a substitute font.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // The seed is the tick at entry; nothing draws from Rng before the scene is prepared.
  const DWORD seed = GetTickCount();
  RegisterWindowClass(instance);
  HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_POPUP, 0, 0, screenWidth,
                                screenHeight, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, showCommand);
  HDC windowDc = GetDC(window);
  LoadLogoBitmaps(instance, windowDc);
  CreateTextFont(windowDc);
  ReleaseDC(window, windowDc);
  ShowCursor(FALSE);

  const int exitCode = RunOnDisplay(window, seed);
  FreeLogoBitmaps();
  DeleteTextFont();
  return exitCode;
}
