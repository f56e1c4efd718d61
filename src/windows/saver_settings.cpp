#include "windows/saver_settings.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>

namespace {

constexpr char kPeriodValue[] = "Period";
constexpr char kModelsValue[] = "Models";
constexpr char kClassicValue[] = "Classic";
constexpr char kRendererValue[] = "Renderer";
// Each choice's word, at the choice's number.
constexpr const char* kRendererWords[] = {"auto", "gl", "software"};
// Far more than the longest list ("0,2,4,6,8,10,12" and its like): a longer string is no list.
constexpr DWORD kLongestModelsBytes = 256;

std::optional<std::uint32_t> ReadNumber(HKEY key, const char* name) {
  DWORD type = 0;
  DWORD number = 0;
  DWORD size = sizeof(number);
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(number)) {
    return std::nullopt;
  }
  return number;
}

// The registry keeps a REG_SZ's terminating zero in its size, or may not: the text ends at the
// first zero either way.
std::optional<std::string> ReadText(HKEY key, const char* name) {
  DWORD type = 0;
  char text[kLongestModelsBytes + 1] = {};
  DWORD size = kLongestModelsBytes;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  return std::string(text, strnlen(text, size));
}

bool WriteNumber(HKEY key, const char* name, std::uint32_t value) {
  const DWORD number = value;
  return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                        sizeof(number)) == ERROR_SUCCESS;
}

bool WriteText(HKEY key, const char* name, const std::string& text) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace

StoredSettings ReadSettingsValues(HKEY key) {
  return {ReadNumber(key, kPeriodValue), ReadText(key, kModelsValue),
          ReadNumber(key, kClassicValue)};
}

bool WriteSettingsValues(HKEY key, const StoredSettings& stored) {
  bool written = true;
  if (stored.periodSeconds) {
    written = WriteNumber(key, kPeriodValue, *stored.periodSeconds) && written;
  }
  if (stored.models) {
    written = WriteText(key, kModelsValue, *stored.models) && written;
  }
  if (stored.classic) {
    written = WriteNumber(key, kClassicValue, *stored.classic) && written;
  }
  return written;
}

std::optional<RendererChoice> ReadRendererValue(HKEY key) {
  const std::optional<std::string> word = ReadText(key, kRendererValue);
  if (word) {
    for (std::size_t choice = 0; choice < std::size(kRendererWords); ++choice) {
      if (*word == kRendererWords[choice]) {
        return static_cast<RendererChoice>(choice);
      }
    }
  }
  return std::nullopt;
}

bool WriteRendererValue(HKEY key, RendererChoice choice) {
  return WriteText(key, kRendererValue, kRendererWords[static_cast<std::int32_t>(choice)]);
}

SaverSettings LoadSaverSettings() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSaverSettingsKey, 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return SaverSettings{};
  }
  const SaverSettings settings{ReadStoredSettings(ReadSettingsValues(key)),
                               ReadRendererValue(key).value_or(RendererChoice::Auto)};
  RegCloseKey(key);
  return settings;
}

bool SaveSaverSettings(const SaverSettings& settings) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSaverSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool runWritten = WriteSettingsValues(key, StoreSettings(settings.run));
  const bool written = WriteRendererValue(key, settings.renderer) && runWritten;
  RegCloseKey(key);
  return written;
}
