#include "app/settings_text.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 3> kSettingNames = {"period", "models", "classic"};
constexpr char kListSeparator = ',';
constexpr char kRangeMark = '-';
constexpr std::int32_t kDecimalBase = 10;
// More digits than any setting takes: the value cannot overflow while it is read.
constexpr std::size_t kMostDigits = 4;

// Decimal digits and nothing else, at most kMostDigits of them.
std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  if (text.empty() || text.size() > kMostDigits) {
    return std::nullopt;
  }
  std::int32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * kDecimalBase + (c - '0');
  }
  return value;
}

std::optional<std::int32_t> ParseModel(std::string_view text) {
  const std::optional<std::int32_t> model = ParseDecimal(text);
  if (!model || *model >= kModelCount) {
    return std::nullopt;
  }
  return model;
}

// "M" or "M-N" with M <= N: the models from M to N.
std::optional<ModelSet> ParseModelRange(std::string_view text) {
  const std::size_t mark = text.find(kRangeMark);
  const std::optional<std::int32_t> first = ParseModel(text.substr(0, mark));
  const std::optional<std::int32_t> last =
      mark == std::string_view::npos ? first : ParseModel(text.substr(mark + 1));
  if (!first || !last || *first > *last) {
    return std::nullopt;
  }
  return static_cast<ModelSet>((2u << *last) - (1u << *first));
}

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

std::int32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + kDecimalBase;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + kDecimalBase;
  }
  return -1;
}

// An address's escapes undone: "%2C" is ',' and '+' a space; a '%' without two hex digits stays.
std::string Unescaped(std::string_view text) {
  constexpr std::int32_t kHexBase = 16;
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      plain += ' ';
    } else if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
               HexDigit(text[i + 2]) >= 0) {
      plain += static_cast<char>(HexDigit(text[i + 1]) * kHexBase + HexDigit(text[i + 2]));
      i += 2;
    } else {
      plain += text[i];
    }
  }
  return plain;
}

}  // namespace

std::optional<Setting> FindSetting(std::string_view name) {
  for (std::size_t i = 0; i < kSettingNames.size(); ++i) {
    if (kSettingNames[i] == name) {
      return static_cast<Setting>(i);
    }
  }
  return std::nullopt;
}

std::optional<std::int32_t> ParsePeriod(std::string_view text) {
  const std::optional<std::int32_t> seconds = ParseDecimal(text);
  if (!seconds || !IsPeriodInRange(*seconds)) {
    return std::nullopt;
  }
  return seconds;
}

std::optional<ModelSet> ParseModels(std::string_view text) {
  ModelSet models = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(kListSeparator, start);
    const std::optional<ModelSet> range = ParseModelRange(text.substr(start, end - start));
    if (!range) {
      return std::nullopt;
    }
    models |= *range;
    if (end == std::string_view::npos) {
      return models;
    }
    start = end + 1;
  }
}

std::string FormatModels(ModelSet models) {
  std::string list;
  for (std::int32_t first = 0; first < kModelCount; ++first) {
    if ((models >> first & 1u) == 0) {
      continue;
    }
    std::int32_t last = first;
    while (last + 1 < kModelCount && (models >> (last + 1) & 1u) != 0) {
      ++last;
    }
    list += (list.empty() ? "" : ",") + std::to_string(first);
    if (last > first) {
      list += kRangeMark + std::to_string(last);
    }
    first = last;
  }
  return list;
}

std::string ReadSetting(RunSettings& settings, Setting setting,
                        std::optional<std::string_view> value) {
  switch (setting) {
    case Setting::Period: {
      const std::optional<std::int32_t> seconds = value ? ParsePeriod(*value) : std::nullopt;
      if (!seconds) {
        return Quoted(value.value_or("")) + " is not a period of 5 to 300 seconds";
      }
      settings.periodSeconds = *seconds;
      return {};
    }
    case Setting::Models: {
      const std::optional<ModelSet> models = value ? ParseModels(*value) : std::nullopt;
      if (!models) {
        return Quoted(value.value_or("")) + " is not a list of models from 0 to 13, as 0,3,8-12";
      }
      settings.models = *models;
      return {};
    }
    case Setting::Classic:
      if (!value || value->empty() || *value == "1") {
        settings.classic = true;
        return {};
      }
      if (*value == "0") {
        settings.classic = false;
        return {};
      }
      return Quoted(*value) + " is not a choice of classic: 1, 0 or no value";
  }
  return {};
}

std::string ReadAddressSettings(RunSettings& settings, std::string_view query) {
  if (!query.empty() && query.front() == '?') {
    query.remove_prefix(1);
  }
  std::string problems;
  while (!query.empty()) {
    const std::size_t end = query.find('&');
    const std::string_view pair = query.substr(0, end);
    query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
    const std::size_t equals = pair.find('=');
    const std::optional<Setting> setting = FindSetting(Unescaped(pair.substr(0, equals)));
    if (!setting) {
      continue;
    }
    const std::string value =
        equals == std::string_view::npos ? std::string() : Unescaped(pair.substr(equals + 1));
    const std::string problem = ReadSetting(
        settings, *setting,
        equals == std::string_view::npos ? std::nullopt : std::optional<std::string_view>(value));
    if (!problem.empty()) {
      problems += (problems.empty() ? "" : "; ") + problem;
    }
  }
  return problems;
}

RunSettings ReadStoredSettings(const StoredSettings& stored) {
  RunSettings settings;
  if (stored.periodSeconds && IsPeriodInRange(*stored.periodSeconds)) {
    settings.periodSeconds = static_cast<std::int32_t>(*stored.periodSeconds);
  }
  if (stored.models) {
    settings.models = ParseModels(*stored.models).value_or(kAllModels);
  }
  if (stored.classic && *stored.classic <= 1) {
    settings.classic = *stored.classic == 1;
  }
  return settings;
}

StoredSettings StoreSettings(const RunSettings& settings) {
  return {static_cast<std::uint32_t>(settings.periodSeconds), FormatModels(settings.models),
          settings.classic ? 1u : 0u};
}
