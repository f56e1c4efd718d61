// The entry point of chromaflux.scr: reads what Windows asks of the screen saver and does it.
// mingw-w64's WinMainCRTStartup passes the command line after the program's name, and ends the
// process with WinMain's result as its exit code.
#include <windows.h>

#include "windows/saver_command_line.h"
#include "windows/saver_preview.h"
#include "windows/saver_run.h"

namespace {

constexpr char kNoSettingsText[] = "Chromaflux has no settings.";
constexpr char kNoSettingsTitle[] = "Chromaflux";

// The settings: there are none, and a box says so, owned by `owner` when that names a window,
// else by the foreground window, as Windows expects of a saver's settings dialog.
void ShowNoSettings(HWND owner) {
  if (IsWindow(owner) == FALSE) {
    owner = GetForegroundWindow();
  }
  MessageBoxA(owner, kNoSettingsText, kNoSettingsTitle, MB_OK | MB_ICONINFORMATION);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  // The pop-up and the preview work in the monitor's own pixels: unaware of the scale of a
  // high-resolution monitor, the picture would be drawn small and stretched by the system.
  SetProcessDPIAware();
  const SaverCommand command = ParseSaverCommandLine(commandLine);
  const auto window = reinterpret_cast<HWND>(command.window);
  switch (command.action) {
    case SaverAction::Run:
      return RunScreenSaver(instance);
    case SaverAction::Preview:
      return RunPreview(instance, window);
    case SaverAction::Settings:
      ShowNoSettings(window);
      return 0;
    case SaverAction::Nothing:
      return 0;
  }
  return 0;
}
