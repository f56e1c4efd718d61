// The screen saver's settings in the registry: HKEY_CURRENT_USER\Software\Chromaflux, with
// `Period` (REG_DWORD, seconds), `Models` (REG_SZ, FormatModels' list, "0,3,8-12") and `Classic`
// (REG_DWORD, 0 or 1). The dialog of "/c" writes them; "/s" and "/p" read them. A value that is
// missing, of another type or of another size reads as absent, and ReadStoredSettings
// (app/settings_text.h) gives its default.
#pragma once

#include <windows.h>

#include "app/settings_text.h"
#include "state/run_settings.h"

// The key's path under HKEY_CURRENT_USER.
constexpr char kSaverSettingsKey[] = "Software\\Chromaflux";

// The values under the open `key`; each one that cannot be read is absent.
StoredSettings ReadSettingsValues(HKEY key);

// Writes the three values under the open `key`. False when one of them could not be written.
bool WriteSettingsValues(HKEY key, const StoredSettings& stored);

// The settings stored for this user; the defaults where there are none.
RunSettings LoadSaverSettings();

// Stores `settings` for this user, creating the key if need be. False when that failed.
bool SaveSaverSettings(const RunSettings& settings);
