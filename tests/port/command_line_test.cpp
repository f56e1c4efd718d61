// The desktop program's command line: every form it takes, and what it refuses.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
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
constexpr auto kPictures = DrawTarget::Pictures;

CommandLine Parse(const std::vector<const char*>& arguments) {
  std::vector<const char*> argv{"chromaflux"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

std::string Shown(const std::vector<const char*>& arguments) {
  std::string shown;
  for (const char* argument : arguments) {
    shown += std::string(" [") + argument + "]";
  }
  return shown;
}

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
      {{"--classic", "--root"}, kRun, kSaver, 0, ""},
      {{"--render", "a.png"}, kRun, kPictures, 0, ""},
      {{"-render", "a.png"}, kError, kOwn, 0, "unknown option '-render'"},
      {{"--render"}, kError, kOwn, 0, "--render needs a file name"},
      {{"--render", "a.png", "--size"}, kError, kOwn, 0, "--size needs a size WxH"},
      {{"--render", "a.png", "--frames", "--fps", "9"}, kError, kOwn, 0, "'--fps' is not a frame"},
      {{"--render", "a.jpg"}, kError, kOwn, 0, "'a.jpg' is not the name of a PNG file"},
      {{"--render", ".png"}, kError, kOwn, 0, "'.png' is not the name"},
      {{"--render", "out/.png"}, kError, kOwn, 0, "'out/.png' is not the name"},
      {{"--render", "a.png", "--size", "16385x1"}, kError, kOwn, 0, "'16385x1' is not a size"},
      {{"--render", "a.png", "--size", "0x5"}, kError, kOwn, 0, "'0x5' is not a size"},
      {{"--render", "a.png", "--size=12x"}, kError, kOwn, 0, "'12x' is not a size"},
      {{"--render", "a.png", "--size=x12"}, kError, kOwn, 0, "'x12' is not a size"},
      {{"--render", "a.png", "--size=12"}, kError, kOwn, 0, "'12' is not a size"},
      {{"--render", "a.png", "--size=2x3x4"}, kError, kOwn, 0, "'2x3x4' is not a size"},
      {{"--render", "a.png", "--size=-5x5"}, kError, kOwn, 0, "'-5x5' is not a size"},
      {{"--render", "a.png", "--model", "14"}, kError, kOwn, 0, "'14' is not a model (0 to 13)"},
      {{"--render", "a.png", "--seed", "4294967296"}, kError, kOwn, 0, "'4294967296' is not"},
      {{"--render", "a.png", "--seed", "-5"}, kError, kOwn, 0, "'-5' is not a seed"},
      {{"--render", "a.png", "--seed", "0x10"}, kError, kOwn, 0, "'0x10' is not a seed"},
      {{"--render", "a.png", "--at", "-1"}, kError, kOwn, 0, "'-1' is not a time"},
      {{"--render", "a.png", "--at", "2147483648"}, kError, kOwn, 0, "'2147483648' is not"},
      {{"--render", "a.png", "--at", "99999999999999999999"}, kError, kOwn, 0, "'9999"},
      {{"--render", "a.png", "--frames", "0"}, kError, kOwn, 0, "'0' is not a frame count"},
      {{"--render", "a.png", "--frames", "two"}, kError, kOwn, 0, "'two' is not a frame count"},
      {{"--render", "a.png", "--fps", "0"}, kError, kOwn, 0, "'0' is not a frame rate"},
      {{"--render", "a.png", "--fps", "1001"}, kError, kOwn, 0, "'1001' is not a frame rate"},
      {{"--size", "5x5"}, kError, kOwn, 0, "--size goes with --render"},
      {{"--classic", "--seed=1", "--root"}, kError, kOwn, 0, "--seed goes with --render"},
      {{"--root", "--render", "a.png"}, kError, kOwn, 0, "--render draws on no window"},
      {{"--render", "a.png", "-window-id", "5"}, kError, kOwn, 0, "--render draws on no window"},
      {{"--render", "a.png", "--classic", "--size=8x6"}, kError, kOwn, 0, "--classic renders"},
      {{"--period", "5", "--models=0,3,8-12", "--root"}, kRun, kSaver, 0, ""},
      {{"--render", "a.png", "--period=300", "--models", "13"}, kRun, kPictures, 0, ""},
      {{"--period", "4"}, kError, kOwn, 0, "'4' is not a period of 5 to 300 seconds"},
      {{"--period"}, kError, kOwn, 0, "--period needs a number of seconds"},
      {{"--models", "0,14"}, kError, kOwn, 0, "'0,14' is not a list of models"},
      {{"--classic=1"}, kError, kOwn, 0, "unknown option '--classic=1'"},
      {{"--render", "a.png", "--renderer", "opengl"}, kError, kOwn, 0, "'opengl' is not a"},
      {{"--render", "a.avi"}, kError, kOwn, 0, "'a.avi' is not the name of a PNG file or a"},
      {{"--render", "dir/.mp4"}, kError, kOwn, 0, "'dir/.mp4' is not the name"},
      {{"--render", "a.MP4"}, kError, kOwn, 0, "'a.MP4' is not the name"},
      {{"--render", "a.png", "--renderer=GL"}, kError, kOwn, 0, "'GL' is not a renderer"},
      {{"--renderer", "gl", "--root"}, kRun, kSaver, 0, ""},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.arguments);
    const std::string shown = Shown(c.arguments);
    EXPECT_EQ(line.action, c.action) << shown;
    EXPECT_EQ(line.target, c.target) << shown;
    EXPECT_EQ(line.windowId, c.windowId) << shown;
    EXPECT_EQ(line.problem.rfind(c.problem, 0), 0u) << shown << ": " << line.problem;
    EXPECT_EQ(line.problem.find('\n'), std::string::npos) << shown;
  }
}

struct RenderCase {
  std::vector<const char*> arguments;  // after the program's name
  bool classic;
  RenderSettings render;
};

auto Fields(bool classic, const RenderSettings& r) {
  return std::tuple(classic, r.file, r.width, r.height, r.seed, r.model, r.atMs, r.frames, r.fps,
                    r.kind);
}

TEST(CommandLine, RenderSettingsAndTheirEdges) {
  const RenderCase cases[] = {
      {{"--classic"}, true, {"", 1920, 1080, {}, {}, 5000, 1, 60}},
      {{"--render", "a.png"}, false, {"a.png", 1920, 1080, {}, {}, 5000, 1, 60}},
      {{"--render=out/b.png", "--size=1x1", "--seed=0", "--model=0", "--at=0", "--frames=1",
        "--fps=1"},
       false,
       {"out/b.png", 1, 1, 0u, 0, 0, 1, 1}},
      {{"--render", "c.png", "--size", "16384x16384", "--seed", "4294967295", "--model", "13",
        "--at", "2147483647", "--frames", "2147483647", "--fps", "1000"},
       false,
       {"c.png", 16384, 16384, 4294967295u, 13, 2147483647, 2147483647, 1000}},
      {{"--render", "d.png", "--at", "007"}, false, {"d.png", 1920, 1080, {}, {}, 7, 1, 60}},
      {{"--render", "e.png", "--classic"}, true, {"e.png", 800, 600, {}, {}, 5000, 1, 60}},
      {{"--render", "h.mp4"}, false, {"h.mp4", 1920, 1080, {}, {}, 5000, 1, 60, ClipKind::Mp4}},
      {{"--render", "i.webm"}, false, {"i.webm", 1920, 1080, {}, {}, 5000, 1, 60, ClipKind::Webm}},
      {{"--render", "d/j.mkv"}, false, {"d/j.mkv", 1920, 1080, {}, {}, 5000, 1, 60, ClipKind::Mkv}},
      {{"--render", "k.gif"}, false, {"k.gif", 1920, 1080, {}, {}, 5000, 1, 60, ClipKind::Gif}},
      {{"--render", "f.png", "--size", "5x5", "--render=g.png", "--size=7x3"},
       false,
       {"g.png", 7, 3, {}, {}, 5000, 1, 60}},
  };
  for (const RenderCase& c : cases) {
    const CommandLine line = Parse(c.arguments);
    EXPECT_EQ(Fields(line.settings.classic, line.render), Fields(c.classic, c.render))
        << Shown(c.arguments) << ": " << line.problem;
  }
}

TEST(CommandLine, RendererChoices) {
  const std::pair<std::vector<const char*>, RendererChoice> cases[] = {
      {{"--render", "a.png"}, RendererChoice::Auto},
      {{"--render", "a.png", "--renderer", "gl"}, RendererChoice::Gl},
      {{"--renderer=software", "--render=a.png"}, RendererChoice::Software},
      {{"--render", "a.png", "--renderer", "gl", "--renderer=auto"}, RendererChoice::Auto},
  };
  for (const auto& [arguments, choice] : cases) {
    EXPECT_EQ(Parse(arguments).renderer, choice) << Shown(arguments);
  }
}

TEST(CommandLine, SettingsReachTheRun) {
  const RunSettings settings = Parse({"--period=7", "--models", "3", "--classic"}).settings;
  EXPECT_EQ(std::tuple(settings.periodSeconds, settings.models, settings.classic),
            std::tuple(7, ModelSet{1u << 3}, true));
}

// --help is read on 80-column terminals.
TEST(CommandLine, UsageFitsEightyColumns) {
  std::istringstream usage(kUsageText);
  std::string row;
  while (std::getline(usage, row)) {
    EXPECT_LE(row.size(), 80u) << row;
  }
}

}  // namespace
