// The desktop program's command line: where it draws, or what it prints instead.
//
// Without options the program opens its own full-screen window on the intro page. With --root or
// --window-id it draws on a window that another program made (XScreenSaver's, or any X window),
// straight into the visuals. The parser is pure: it reads the arguments and nothing else.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Where the program draws.
enum class DrawTarget : std::int32_t {
  OwnWindow = 0,    // its own full-screen window
  ScreenSaver = 1,  // --root: the window in XSCREENSAVER_WINDOW, else the root window
  GivenWindow = 2,  // --window-id ID
};

// What the program does with its command line.
enum class CommandAction : std::int32_t {
  Run = 0,          // draw on `target`
  ShowHelp = 1,     // print the usage on standard output, exit 0
  ShowVersion = 2,  // print "chromaflux VERSION" on standard output, exit 0
  UsageError = 3,   // print `problem` on standard error, exit 2
};

struct CommandLine {
  CommandAction action = CommandAction::Run;
  DrawTarget target = DrawTarget::OwnWindow;
  std::uint32_t windowId = 0;  // the X window of DrawTarget::GivenWindow
  std::string problem;         // UsageError: one line naming the problem, without a newline
};

// The usage text that --help prints, ending with a newline.
extern const char kUsageText[];

// Reads argv[1] ... argv[argc - 1]. Options follow XScreenSaver's display modes as well as GNU's
// forms: --root or -root; --window-id ID, --window-id=ID or -window-id ID. --help and --version
// answer as soon as they are read. --window-id wins over --root, in either order: XScreenSaver's
// settings dialog runs the command as written (with --root) and adds -window-id for its preview.
// Two different window ids are a usage error.
CommandLine ParseCommandLine(int argc, const char* const argv[]);

// An X window id as XScreenSaver and xwininfo write it: unsigned decimal, or hexadecimal after
// 0x or 0X; nothing before or after, at most 32 bits (X resource ids are 32-bit fields).
std::optional<std::uint32_t> ParseWindowId(std::string_view text);
