// The entry point of chromaflux.scr: reads what Windows asks of the screen saver and does it.
// mingw-w64's WinMainCRTStartup passes the command line after the program's name, and ends the
// process with WinMain's result as its exit code.
#include <windows.h>

#include "windows/saver_command_line.h"
#include "windows/saver_preview.h"
#include "windows/saver_run.h"
#include "windows/saver_settings.h"
#include "windows/saver_settings_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  // The pop-up and the preview work in the monitor's own pixels: unaware of the scale of a
  // high-resolution monitor, the picture would be drawn small and stretched by the system.
  SetProcessDPIAware();
  const SaverCommand command = ParseSaverCommandLine(commandLine);
  const auto window = reinterpret_cast<HWND>(command.window);
  switch (command.action) {
    case SaverAction::Run:
      return RunScreenSaver(instance, LoadSaverSettings());
    case SaverAction::Preview:
      return RunPreview(instance, window, LoadSaverSettings());
    case SaverAction::Settings:
      ShowSettingsDialog(instance, window);
      return 0;
    case SaverAction::Nothing:
      return 0;
  }
  return 0;
}
