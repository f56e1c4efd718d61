// The run's settings as every front end writes them, and what each refuses.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/settings_text.h"

namespace {

constexpr ModelSet kModels0And3And8To12 = 0b1'1111'0000'1001;

auto Fields(const RunSettings& s) {
  return std::tuple(s.periodSeconds, s.models, s.classic);
}

struct AddressCase {
  const char* query;  // a page's address from its '?', or the options' values as a query
  RunSettings settings;
  const char* problem;  // the start of the message; "" for none
};

TEST(SettingsText, EveryFormEdgeAndRefusal) {
  const RunSettings defaults;
  const AddressCase cases[] = {
      {"", defaults, ""},
      {"?period=30&models=0,3,8-12&classic", {30, kModels0And3And8To12, true}, ""},
      {"period=5", {5, kAllModels, false}, ""},
      {"period=300", {300, kAllModels, false}, ""},
      {"period=0020", {20, kAllModels, false}, ""},
      {"period=4", defaults, "'4' is not a period of 5 to 300 seconds"},
      {"period=301", defaults, "'301' is not a period"},
      {"period=99999999999", defaults, "'99999999999' is not a period"},
      {"period=-20", defaults, "'-20' is not"},
      {"period=+20", defaults, "' 20' is not"},  // a '+' is a space
      {"period=2e1", defaults, "'2e1' is not"},
      {"period", defaults, "'' is not a period"},
      {"period=%33%30", {30, kAllModels, false}, ""},
      {"models=13", {20, 1u << 13, false}, ""},
      {"models=0-13", defaults, ""},
      {"models=3,3,2-4", {20, 0b11100, false}, ""},
      {"models=0%2C3%2C8-12", {20, kModels0And3And8To12, false}, ""},
      {"models=14", defaults, "'14' is not a list of models from 0 to 13, as 0,3,8-12"},
      {"models=", defaults, "'' is not a list"},
      {"models=1,", defaults, "'1,' is not a list"},
      {"models=,1", defaults, "',1' is not a list"},
      {"models=5-3", defaults, "'5-3' is not a list"},
      {"models=1-2-3", defaults, "'1-2-3' is not a list"},
      {"models=-3", defaults, "'-3' is not a list"},
      {"models=1+2", defaults, "'1 2' is not a list"},
      {"classic=", {20, kAllModels, true}, ""},
      {"classic=1", {20, kAllModels, true}, ""},
      {"classic&classic=0", defaults, ""},  // the last one counts
      {"classic=yes", defaults, "'yes' is not a choice of classic: 1, 0 or no value"},
      {"utm_source=x&Period=4&period=6", {6, kAllModels, false}, ""},  // not the page's
      {"period=1&models=99&classic=2", defaults, "'1' is not a period of 5 to 300 seconds; '99'"},
      {"period=7&period=x", {7, kAllModels, false}, "'x' is not a period"},
  };
  for (const AddressCase& c : cases) {
    RunSettings settings;
    const std::string problem = ReadAddressSettings(settings, c.query);
    EXPECT_EQ(Fields(settings), Fields(c.settings)) << c.query;
    EXPECT_EQ(problem.rfind(c.problem, 0), 0u) << c.query << ": " << problem;
    EXPECT_EQ(problem.empty(), *c.problem == '\0') << c.query << ": " << problem;
  }
}

// What the Windows screen saver stored, damaged or not; a value out of range is the default.
TEST(SettingsText, StoredValuesReadBackAndDamageGivesTheDefaults) {
  struct Case {
    StoredSettings stored;
    RunSettings settings;
  };
  const Case cases[] = {
      {{}, {}},
      {{45u, "0,3,8-12", 1u}, {45, kModels0And3And8To12, true}},
      {{4u, "", 2u}, {}},
      {{301u, "0-14", 0xFFFFFFFFu}, {}},
      {{0x80000014u, "3 ", 0u}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Fields(ReadStoredSettings(c.stored)), Fields(c.settings))
        << c.stored.models.value_or("-");
  }
  for (const RunSettings& settings :
       {RunSettings{}, RunSettings{5, 1u, true}, RunSettings{300, kModels0And3And8To12, false},
        RunSettings{20, 0b10'1010'1010'1011, true}}) {
    EXPECT_EQ(Fields(ReadStoredSettings(StoreSettings(settings))), Fields(settings));
  }
  EXPECT_EQ(FormatModels(kModels0And3And8To12), "0,3,8-12");
  EXPECT_EQ(FormatModels(kAllModels), "0-13");
}

}  // namespace
