// What a person may choose about a run, and the limits and defaults of each choice: how long a
// model stays in RANDOM play mode, which models a random choice draws from, and whether the picture
// is the classic 800 x 600 frame or the screen's own. The desktop program's command line, its
// XScreenSaver settings, the page's address and the Windows screen saver's dialog all set this one
// record (app/settings_text.h reads their text). The defaults are the classic program's.
#pragma once

#include <cstdint>

constexpr std::int32_t kModelCount = 14;

// A set of models: bit m stands for model m (0 ... 13).
using ModelSet = std::uint16_t;
constexpr ModelSet kAllModels = (1u << kModelCount) - 1;

constexpr std::int32_t kShortestPeriodSeconds = 5;
constexpr std::int32_t kLongestPeriodSeconds = 300;
constexpr std::int32_t kDefaultPeriodSeconds = 20;
constexpr std::int32_t kMillisecondsPerSecond = 1000;

struct RunSettings {
  std::int32_t periodSeconds = kDefaultPeriodSeconds;  // RANDOM play mode: a new model this often
  ModelSet models = kAllModels;  // what a random choice draws from (start, RANDOM, A); never empty
  bool classic = false;          // the classic 800 x 600 frame instead of the screen's own picture
};

inline bool IsPeriodInRange(std::int64_t seconds) {
  return seconds >= kShortestPeriodSeconds && seconds <= kLongestPeriodSeconds;
}

inline bool IsModelSet(std::int64_t models) {
  return models > 0 && models <= kAllModels;
}

// RANDOM play mode's period, in milliseconds.
inline std::int32_t RandomPeriodMs(const RunSettings& settings) {
  return settings.periodSeconds * kMillisecondsPerSecond;
}
