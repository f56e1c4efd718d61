// The screen saver's settings in the registry: HKEY_CURRENT_USER\Software\Chromaflux, with
// `Period` (REG_DWORD, seconds), `Models` (REG_SZ, FormatModels' list, "0,3,8-12"), `Classic`
// (REG_DWORD, 0 or 1) and `Renderer` (REG_SZ, "auto", "gl" or "software", the words of the
// desktop program's --renderer). The dialog of "/c" writes them; "/s" and "/p" read them. A value
// that is missing, of another type or of another size reads as absent, and ReadStoredSettings
// (app/settings_text.h) gives its default; a `Renderer` that names no choice reads as absent too,
// and so as auto.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "app/settings_text.h"
#include "state/run_settings.h"

// Who draws the screen saver's pictures (windows/saver_display.h).
enum class RendererChoice : std::int32_t {
  Auto = 0,      // the GL renderer where a graphics processor draws the self-check exactly
  Gl = 1,        // the GL renderer where an OpenGL 3.3 context can be had, else the software one
  Software = 2,  // the software renderer
};

// Everything the screen saver's settings hold: the run's, and who draws it.
struct SaverSettings {
  RunSettings run;
  RendererChoice renderer = RendererChoice::Auto;
};

// The key's path under HKEY_CURRENT_USER.
constexpr char kSaverSettingsKey[] = "Software\\Chromaflux";

// The values under the open `key`; each one that cannot be read is absent.
StoredSettings ReadSettingsValues(HKEY key);

// Writes the three values under the open `key`. False when one of them could not be written.
bool WriteSettingsValues(HKEY key, const StoredSettings& stored);

// The `Renderer` value under the open `key`; absent where it cannot be read or names no choice.
std::optional<RendererChoice> ReadRendererValue(HKEY key);

// Writes the `Renderer` value under the open `key`. False when it could not be written.
bool WriteRendererValue(HKEY key, RendererChoice choice);

// The settings stored for this user; the defaults where there are none.
SaverSettings LoadSaverSettings();

// Stores `settings` for this user, creating the key if need be. False when that failed.
bool SaveSaverSettings(const SaverSettings& settings);
