// The preview across two processes, as the display settings run it: this program makes a window
// with a client area of the settings' preview size, starts "chromaflux.scr /p HANDLE", and checks
// that the saver's child window covers the client area and that destroying the window ends the
// saver with exit code 0. Then a handle that names no window must end it at once with code 0.
// Exit code 0 when all holds; the reason on standard error otherwise.
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
constexpr DWORD kStartDeadlineMs = 60000;  // Wine start-up and the geometry tables, machine busy
constexpr DWORD kEndDeadlineMs = 30000;
constexpr DWORD kPollMs = 50;

struct Saver {
  PROCESS_INFORMATION process{};
  bool started = false;
};

bool Fail(const char* what) {
  std::fprintf(stderr, "saver_preview_host: %s\n", what);
  return false;
}

// Wine runs Windows programs with the Linux file system as drive Z:.
std::string WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path) {
    if (c == '/') {
      c = '\\';
    }
  }
  return path;
}

Saver StartSaver(const std::string& scr, const std::string& arguments) {
  std::string commandLine = "\"" + WindowsPath(scr) + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  Saver saver;
  saver.started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &saver.process) != FALSE;
  return saver;
}

// Handles this thread's messages (the saver's child sends some to its parent's thread) until
// `done` answers true or `deadlineMs` passes, looking again at least every kPollMs: a change in
// the other process need not wake this thread. False on the deadline.
template <typename Done>
bool PumpUntil(Done done, DWORD deadlineMs, HANDLE wakeOn) {
  const DWORD start = GetTickCount();
  while (!done()) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed > deadlineMs) {
      return false;
    }
    MsgWaitForMultipleObjects(wakeOn != nullptr ? 1 : 0, &wakeOn, FALSE,
                              std::min(kPollMs, deadlineMs - elapsed), QS_ALLINPUT);
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      DispatchMessageA(&message);
    }
  }
  return true;
}

bool HasEnded(const Saver& saver) {
  return WaitForSingleObject(saver.process.hProcess, 0) == WAIT_OBJECT_0;
}

// Waits for the saver's end and checks its exit code; a saver still running is ended.
bool EndsWithZero(Saver& saver, const char* when) {
  const bool ended =
      PumpUntil([&] { return HasEnded(saver); }, kEndDeadlineMs, saver.process.hProcess);
  DWORD code = 1;
  GetExitCodeProcess(saver.process.hProcess, &code);
  if (!ended) {
    TerminateProcess(saver.process.hProcess, 1);
  }
  CloseHandle(saver.process.hProcess);
  CloseHandle(saver.process.hThread);
  if (!ended) {
    return Fail(when);
  }
  if (code != 0) {
    std::fprintf(stderr, "saver_preview_host: exit code %lu %s\n", code, when);
    return false;
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

HWND FirstChild(HWND parent) {
  HWND child = nullptr;
  EnumChildWindows(
      parent,
      [](HWND found, LPARAM result) {
        *reinterpret_cast<HWND*>(result) = found;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&child));
  return child;
}

bool PreviewCoversTheWindowAndEndsWithIt(const std::string& scr) {
  HWND host = CreateHostWindow();
  if (host == nullptr) {
    return Fail("cannot make the host window");
  }
  const auto handle = reinterpret_cast<std::uintptr_t>(host);
  Saver saver = StartSaver(scr, "/p " + std::to_string(handle));
  if (!saver.started) {
    return Fail("cannot start the screen saver");
  }
  // Made hidden and shown at the end of its creation: wait for the whole of it.
  HWND child = nullptr;
  const bool shown = PumpUntil(
      [&] {
        child = FirstChild(host);
        return (child != nullptr && IsWindowVisible(child) != FALSE) || HasEnded(saver);
      },
      kStartDeadlineMs, saver.process.hProcess);
  if (!shown || child == nullptr) {
    DestroyWindow(host);
    EndsWithZero(saver, "");
    return Fail(shown ? "the saver ended without a child window" : "no child window in time");
  }
  DWORD owner = 0;
  GetWindowThreadProcessId(child, &owner);
  RECT childRect{};
  GetWindowRect(child, &childRect);
  RECT client{};
  GetClientRect(host, &client);
  MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const bool covers = EqualRect(&childRect, &client) != FALSE;
  const bool still = !HasEnded(saver);

  DestroyWindow(host);
  const bool ended = EndsWithZero(saver, "after its window was destroyed");
  if (owner != saver.process.dwProcessId) {
    return Fail("the child window is not the saver's");
  }
  if (!covers) {
    std::fprintf(stderr, "saver_preview_host: child at %ld,%ld-%ld,%ld, client %ld,%ld-%ld,%ld\n",
                 childRect.left, childRect.top, childRect.right, childRect.bottom, client.left,
                 client.top, client.right, client.bottom);
    return false;
  }
  return still ? ended : Fail("the saver ended before its window was destroyed");
}

bool EndsAtOnceWithoutAWindow(const std::string& scr) {
  HWND gone = CreateHostWindow();
  const auto handle = reinterpret_cast<std::uintptr_t>(gone);
  DestroyWindow(gone);
  Saver saver = StartSaver(scr, "/p " + std::to_string(handle));
  if (!saver.started) {
    return Fail("cannot start the screen saver");
  }
  return EndsWithZero(saver, "with a handle that names no window");
}

}  // namespace

int main(int argumentCount, char** arguments) {
  if (argumentCount != 2) {
    Fail("usage: saver_preview_host CHROMAFLUX_SCR");
    return 2;
  }
  const bool passed =
      PreviewCoversTheWindowAndEndsWithIt(arguments[1]) && EndsAtOnceWithoutAWindow(arguments[1]);
  std::fprintf(stderr, "saver_preview_host: %s\n", passed ? "PASS" : "FAIL");
  return passed ? 0 : 1;
}
