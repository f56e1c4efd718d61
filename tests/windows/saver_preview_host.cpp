// The preview across two processes, as the display settings run it: this program makes a window
// with a client area of the settings' preview size and starts "chromaflux.scr /p HANDLE" with its
// handle. The saver's child window must cover the client area exactly, and destroying the window
// must end the saver with exit code 0. Exit code 0 when all holds; the reason on standard error
// otherwise.
//
//   saver_preview_host CHROMAFLUX_SCR   (a Linux path: the program runs under Wine)
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr int kClientWidth = 152;  // the preview of the Windows display settings
constexpr int kClientHeight = 112;
constexpr DWORD kDeadlineMs = 60000;  // Wine start-up and the geometry tables, machine busy
constexpr DWORD kPollMs = 50;

int Fail(const char* what) {
  std::fprintf(stderr, "saver_preview_host: %s\n", what);
  return 1;
}

// Handles this thread's messages (the saver's child sends some to its parent's thread) until
// `done` answers true or kDeadlineMs passes, looking again at least every kPollMs: a change in
// the other process need not wake this thread. False on the deadline.
template <typename Done>
bool PumpUntil(Done done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > kDeadlineMs) {
      return false;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      DispatchMessageA(&message);
    }
  }
  return true;
}

HWND CreateHostWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "PreviewHost";
  RegisterClassA(&windowClass);
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  return CreateWindowExA(0, windowClass.lpszClassName, "preview host",
                         WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, windowClass.hInstance,
                         nullptr);
}

BOOL CALLBACK KeepFirstChild(HWND found, LPARAM result) {
  *reinterpret_cast<HWND*>(result) = found;
  return FALSE;
}

// Wine runs Windows programs with the Linux file system as drive Z:.
std::string CommandLine(std::string scr, HWND window) {
  std::replace(scr.begin(), scr.end(), '/', '\\');
  return "\"Z:" + scr + "\" /p " + std::to_string(reinterpret_cast<std::uintptr_t>(window));
}

}  // namespace

int main(int argumentCount, char** arguments) {
  if (argumentCount != 2) {
    return Fail("usage: saver_preview_host CHROMAFLUX_SCR");
  }
  HWND host = CreateHostWindow();
  std::string commandLine = CommandLine(arguments[1], host);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION saver{};
  if (host == nullptr || CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &saver) == FALSE) {
    return Fail("cannot make the window or start the screen saver");
  }
  auto ended = [&] { return WaitForSingleObject(saver.hProcess, 0) == WAIT_OBJECT_0; };

  // The child is made hidden and shown at the end of its creation: wait for the whole of it.
  HWND child = nullptr;
  PumpUntil([&] {
    EnumChildWindows(host, KeepFirstChild, reinterpret_cast<LPARAM>(&child));
    return (child != nullptr && IsWindowVisible(child) != FALSE) || ended();
  });
  RECT childRect{};
  RECT client{};
  GetWindowRect(child, &childRect);
  GetClientRect(host, &client);
  MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const bool covers = child != nullptr && EqualRect(&childRect, &client) != FALSE;

  DestroyWindow(host);
  const bool endedInTime = PumpUntil(ended);
  DWORD exitCode = 1;
  GetExitCodeProcess(saver.hProcess, &exitCode);
  if (!endedInTime) {
    TerminateProcess(saver.hProcess, 1);
    return Fail("the saver did not end when its window was destroyed");
  }
  if (!covers) {
    return Fail("no child window covering the client area");
  }
  if (exitCode != 0) {
    return Fail("the saver ended with an exit code other than 0");
  }
  std::fprintf(stderr, "saver_preview_host: PASS\n");
  return 0;
}
