// The registry values of the screen saver's settings, read under a key of the test's own: each
// value of another type or size, and a renderer that is no choice's word, is absent, and what
// WriteSettingsValues and WriteRendererValue write reads back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "windows/saver_settings.h"

namespace {

constexpr char kTestKey[] = "Software\\ChromafluxSettingsTest";

struct Value {
  const char* name;
  DWORD type;
  std::vector<BYTE> data;
};

std::vector<BYTE> Number(std::uint32_t n) {
  return {static_cast<BYTE>(n), static_cast<BYTE>(n >> 8), static_cast<BYTE>(n >> 16),
          static_cast<BYTE>(n >> 24)};
}

std::vector<BYTE> Text(const std::string& text, bool terminated = true) {
  std::vector<BYTE> data(text.begin(), text.end());
  if (terminated) {
    data.push_back(0);
  }
  return data;
}

HKEY FreshKey() {
  RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  return key;
}

std::string Shown(const StoredSettings& s, std::optional<RendererChoice> renderer) {
  constexpr const char* kChoices[] = {"auto", "gl", "software"};
  return (s.periodSeconds ? std::to_string(*s.periodSeconds) : "-") + " " +
         (s.models ? "'" + *s.models + "'" : "-") + " " +
         (s.classic ? std::to_string(*s.classic) : "-") + " " +
         (renderer ? kChoices[static_cast<int>(*renderer)] : "-");
}

std::string Read(HKEY key) {
  return Shown(ReadSettingsValues(key), ReadRendererValue(key));
}

TEST(SaverSettings, ValuesOfAnotherTypeOrSizeAreAbsent) {
  const struct {
    std::vector<Value> values;
    std::string read;
  } cases[] = {
      {{}, "- - - -"},
      {{{"Period", REG_DWORD, Number(30)},
        {"Models", REG_SZ, Text("0,3,8-12")},
        {"Classic", REG_DWORD, Number(1)},
        {"Renderer", REG_SZ, Text("gl")}},
       "30 '0,3,8-12' 1 gl"},
      // Out of range is ReadStoredSettings' to judge: the number is read as it is.
      {{{"Period", REG_DWORD, Number(9999)}}, "9999 - - -"},
      {{{"Period", REG_SZ, Text("30")}, {"Classic", REG_SZ, Text("1")}}, "- - - -"},
      {{{"Period", REG_BINARY, Number(30)}, {"Classic", REG_QWORD, Text("1234567")}}, "- - - -"},
      {{{"Period", REG_DWORD, {30, 0}}, {"Classic", REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}}},
       "- - - -"},
      {{{"Models", REG_DWORD, Number(3)}}, "- - - -"},
      {{{"Models", REG_EXPAND_SZ, Text("0-13")}}, "- - - -"},
      {{{"Models", REG_SZ, Text("5", false)}}, "- '5' - -"},
      {{{"Models", REG_SZ, Text(std::string(300, '1'))}}, "- - - -"},
      {{{"Renderer", REG_DWORD, Number(1)}}, "- - - -"},
      {{{"Renderer", REG_SZ, Text("GL")}}, "- - - -"},
      {{{"Renderer", REG_SZ, Text("software", false)}}, "- - - software"},
  };
  for (const auto& c : cases) {
    HKEY key = FreshKey();
    for (const Value& v : c.values) {
      RegSetValueExA(key, v.name, 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
    }
    EXPECT_EQ(Read(key), c.read) << "values: " << c.values.size();
    RegCloseKey(key);
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
}

TEST(SaverSettings, WrittenValuesReadBack) {
  HKEY key = FreshKey();
  const StoredSettings stored{300u, std::string("0,3,8-12"), 0u};
  EXPECT_TRUE(WriteSettingsValues(key, stored));
  for (const RendererChoice renderer :
       {RendererChoice::Auto, RendererChoice::Gl, RendererChoice::Software}) {
    EXPECT_TRUE(WriteRendererValue(key, renderer));
    EXPECT_EQ(Read(key), Shown(stored, renderer));
  }
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
}

}  // namespace
