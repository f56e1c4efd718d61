// "/c": the screen saver's settings dialog (dialog IDD_SAVER_SETTINGS of chromaflux.scr).
#pragma once

#include <windows.h>

// Shows the settings stored for this user (saver_settings.h) in a modal dialog owned by `owner`
// when that names a window, else by the foreground window, as Windows expects of a saver's
// settings. OK stores what the dialog shows: a period of 5 ... 300 seconds and one model at
// least, or a short message says what to change and the dialog stays. Cancel stores nothing.
void ShowSettingsDialog(HINSTANCE instance, HWND owner);
