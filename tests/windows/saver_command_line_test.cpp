// The command lines Windows starts a screen saver with, and the lines it never sends.
#include <gtest/gtest.h>

#include "windows/saver_command_line.h"

namespace {

struct Case {
  const char* line;
  SaverAction action;
  std::uintptr_t window;
};

constexpr SaverAction kRun = SaverAction::Run;
constexpr SaverAction kPreview = SaverAction::Preview;
constexpr SaverAction kSettings = SaverAction::Settings;
constexpr SaverAction kNothing = SaverAction::Nothing;

TEST(SaverCommandLine, ReadsEveryFormAndRefusesTheRest) {
  const Case cases[] = {
      // The forms, in either case, with '/' or '-', blanks around the line allowed.
      {"/s", kRun, 0},
      {"/S", kRun, 0},
      {"-s", kRun, 0},
      {"  /s\t", kRun, 0},
      {"/p 1234", kPreview, 1234},
      {"/P:1234", kPreview, 1234},
      {"-p   0042 ", kPreview, 42},
      {"/p 0", kPreview, 0},
      {"/p 4294967295", kPreview, 4294967295u},
      {"", kSettings, 0},
      {"   ", kSettings, 0},
      {"/c", kSettings, 0},
      {"/C:655370", kSettings, 655370},
      {"-c 77", kSettings, 77},
      {"/a 1234", kNothing, 0},
      {"/a", kNothing, 0},
      // Bad numbers: none, signed, hexadecimal, trailing text, too large for any handle.
      {"/p", kNothing, 0},
      {"/p:", kNothing, 0},
      {"/p -5", kNothing, 0},
      {"/p 0x10", kNothing, 0},
      {"/p 12ab", kNothing, 0},
      {"/p 12 34", kNothing, 0},
      {"/c:", kNothing, 0},
      {"/c: 5", kNothing, 0},
      {"/p 18446744073709551616", kNothing, 0},
      // Unknown or malformed switches.
      {"/x", kNothing, 0},
      {"s", kNothing, 0},
      {"/", kNothing, 0},
      {"//s", kNothing, 0},
      {"/save", kNothing, 0},
      {"/s 5", kNothing, 0},
      {"/s:", kNothing, 0},
      {"\"/s\"", kNothing, 0},
  };
  for (const Case& c : cases) {
    const SaverCommand command = ParseSaverCommandLine(c.line);
    EXPECT_EQ(command.action, c.action) << '"' << c.line << '"';
    EXPECT_EQ(command.window, c.window) << '"' << c.line << '"';
  }
}

}  // namespace
