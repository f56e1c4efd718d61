// The run's settings as text: what the desktop program's options, the page's address and the
// Windows screen saver's stored values say, read (and written back) in one way for all of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "state/run_settings.h"

// The settings, by the name that every front end gives them: "period", "models", "classic".
enum class Setting : std::int32_t { Period = 0, Models = 1, Classic = 2 };

// The setting called `name`, if there is one.
std::optional<Setting> FindSetting(std::string_view name);

// A period in whole seconds, kShortestPeriodSeconds ... kLongestPeriodSeconds: decimal digits and
// nothing else (no sign, no space).
std::optional<std::int32_t> ParsePeriod(std::string_view text);

// Models and ranges of models between commas, as "0,3,8-12": each 0 ... 13, a range's first not
// after its last, no spaces; a model may come twice. An empty list is no list.
std::optional<ModelSet> ParseModels(std::string_view text);

// The shortest list that ParseModels reads as `models` (never empty): "0,3,8-12"; all are "0-13".
std::string FormatModels(ModelSet models);

// Sets `setting` in `settings` from `value`, given as text or not at all (--classic, ?classic).
// The classic frame is on without a value, with "1" or "", off with "0". Answers an empty string
// when the value was taken, else one line that names the setting and what it takes, and leaves
// `settings` as it was.
std::string ReadSetting(RunSettings& settings, Setting setting,
                        std::optional<std::string_view> value);

// The settings in a page's address, "?period=30&models=0,3,8-12&classic" (the '?' may be left out):
// pairs between '&', each NAME or NAME=VALUE, with %XX escapes and '+' for a space read as a
// browser writes them; names that are no setting are left to others. A bad value leaves its
// setting at the default. Answers the problems, one line with "; " between them, or "" for none.
std::string ReadAddressSettings(RunSettings& settings, std::string_view query);

// The settings as the Windows screen saver keeps them: the numbers as numbers, the models as
// their list (FormatModels). Absent: a value that is missing or not of its type.
struct StoredSettings {
  std::optional<std::uint32_t> periodSeconds;
  std::optional<std::string> models;
  std::optional<std::uint32_t> classic;  // 1 on, 0 off
};

// What `stored` says, with each value that is absent or out of range at its default.
RunSettings ReadStoredSettings(const StoredSettings& stored);

// What ReadStoredSettings reads back as `settings`.
StoredSettings StoreSettings(const RunSettings& settings);
