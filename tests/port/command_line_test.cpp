// The desktop program's command line: every form it takes, and what it refuses.
#include <gtest/gtest.h>

#include <vector>

#include "sdl/command_line.h"

namespace {

struct Case {
  std::vector<const char*> arguments;  // after the program's name
  CommandAction action;
  DrawTarget target;
  std::uint32_t windowId;
  const char* problem;  // the start of the message, for usage errors
};

constexpr auto kRun = CommandAction::Run;
constexpr auto kError = CommandAction::UsageError;
constexpr auto kOwn = DrawTarget::OwnWindow;
constexpr auto kSaver = DrawTarget::ScreenSaver;
constexpr auto kGiven = DrawTarget::GivenWindow;

TEST(CommandLine, EveryFormAndEveryRefusal) {
  const Case cases[] = {
      {{}, kRun, kOwn, 0, ""},
      {{"--root"}, kRun, kSaver, 0, ""},
      {{"-root"}, kRun, kSaver, 0, ""},
      {{"--root", "-root"}, kRun, kSaver, 0, ""},
      {{"--window-id", "12345"}, kRun, kGiven, 12345, ""},
      {{"--window-id", "0x1a00004"}, kRun, kGiven, 0x1a00004, ""},
      {{"-window-id", "0X1A00004"}, kRun, kGiven, 0x1a00004, ""},
      {{"--window-id=007"}, kRun, kGiven, 7, ""},  // decimal, not octal
      {{"--window-id", "4294967295"}, kRun, kGiven, 4294967295u, ""},
      {{"--window-id", "0xffffffff"}, kRun, kGiven, 0xffffffffu, ""},
      {{"--window-id", "9", "--window-id=0x9"}, kRun, kGiven, 9, ""},
      {{"--help"}, CommandAction::ShowHelp, kOwn, 0, ""},
      {{"--version", "--bogus"}, CommandAction::ShowVersion, kOwn, 0, ""},
      {{"--bogus", "--help"}, kError, kOwn, 0, "unknown option '--bogus'"},
      {{"-r"}, kError, kOwn, 0, "unknown option '-r'"},
      {{"root"}, kError, kOwn, 0, "unexpected argument 'root'"},
      {{"--window-id"}, kError, kOwn, 0, "--window-id needs a window id"},
      {{"--window-id", "abc"}, kError, kOwn, 0, "'abc' is not a window id"},
      {{"--window-id", ""}, kError, kOwn, 0, "'' is not a window id"},
      {{"--window-id", "0x"}, kError, kOwn, 0, "'0x' is not a window id"},
      {{"--window-id", "-5"}, kError, kOwn, 0, "'-5' is not a window id"},
      {{"--window-id", "+5"}, kError, kOwn, 0, "'+5' is not a window id"},
      {{"--window-id", "12 "}, kError, kOwn, 0, "'12 ' is not a window id"},
      {{"--window-id", "0x0x12"}, kError, kOwn, 0, "'0x0x12' is not a window id"},
      {{"--window-id", "0x1g"}, kError, kOwn, 0, "'0x1g' is not a window id"},
      {{"--window-id", "4294967296"}, kError, kOwn, 0, "'4294967296' is not"},
      {{"--window-id", "0x100000000"}, kError, kOwn, 0, "'0x100000000' is not"},
      {{"--window-id=", "5"}, kError, kOwn, 0, "'' is not a window id"},
      {{"--root", "-window-id", "0x2c00001"}, kRun, kGiven, 0x2c00001, ""},  // a preview
      {{"--window-id", "5", "--root"}, kRun, kGiven, 5, ""},
      {{"--window-id", "5", "--window-id", "6"}, kError, kOwn, 0, "two different window ids"},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv{"chromaflux"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    const CommandLine line = ParseCommandLine(static_cast<int>(argv.size()), argv.data());
    std::string shown;
    for (const char* argument : c.arguments) {
      shown += std::string(" [") + argument + "]";
    }
    EXPECT_EQ(line.action, c.action) << shown;
    EXPECT_EQ(line.target, c.target) << shown;
    EXPECT_EQ(line.windowId, c.windowId) << shown;
    EXPECT_EQ(line.problem.rfind(c.problem, 0), 0u) << shown << ": " << line.problem;
    EXPECT_EQ(line.problem.find('\n'), std::string::npos) << shown;
  }
}

}  // namespace
