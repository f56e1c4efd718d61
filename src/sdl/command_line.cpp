#include "sdl/command_line.h"

#include <limits>
#include <utility>

const char kUsageText[] =
    "usage: chromaflux [--root | --window-id ID]\n"
    "       chromaflux --help | --version\n"
    "\n"
    "Full-screen plasma. Without options Chromaflux opens its own full-screen window on the\n"
    "intro page; Esc quits.\n"
    "\n"
    "  --root           draw on the window named by XSCREENSAVER_WINDOW, as XScreenSaver runs\n"
    "                   a display mode, or on the root window when it is unset\n"
    "  --window-id ID   draw on the X window ID (decimal, or hexadecimal after 0x); wins\n"
    "                   over --root\n"
    "  --help           print this text and exit\n"
    "  --version        print the version and exit\n"
    "\n"
    "On another program's window the visuals start at once in RANDOM play mode, the keyboard\n"
    "and the mouse are left to that program, and SIGTERM, SIGINT or the window's end stops\n"
    "Chromaflux with exit code 0.\n"
    "Exit codes: 0 done, 1 no display or a window that cannot be used, 2 a usage error.\n";

namespace {

constexpr std::string_view kRootOptions[] = {"--root", "-root"};
constexpr std::string_view kWindowIdOptions[] = {"--window-id", "-window-id"};
constexpr std::string_view kWindowIdWithValue = "--window-id=";
constexpr std::uint32_t kDecimalBase = 10;
constexpr std::uint32_t kHexBase = 16;
constexpr std::uint32_t kNoDigit = 255;

template <std::size_t N>
bool IsOneOf(std::string_view argument, const std::string_view (&names)[N]) {
  for (const std::string_view name : names) {
    if (argument == name) {
      return true;
    }
  }
  return false;
}

std::uint32_t DigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return static_cast<std::uint32_t>(c - '0');
  }
  if (c >= 'a' && c <= 'f') {
    return static_cast<std::uint32_t>(c - 'a') + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return static_cast<std::uint32_t>(c - 'A') + 10;
  }
  return kNoDigit;
}

CommandLine UsageError(std::string problem) {
  CommandLine line;
  line.action = CommandAction::UsageError;
  line.problem = std::move(problem);
  return line;
}

}  // namespace

std::optional<std::uint32_t> ParseWindowId(std::string_view text) {
  std::uint32_t base = kDecimalBase;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = kHexBase;
  }
  if (text.empty()) {
    return std::nullopt;
  }
  constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  for (const char c : text) {
    const std::uint32_t digit = DigitValue(c);
    if (digit >= base) {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > kLargest) {
      return std::nullopt;
    }
  }
  return static_cast<std::uint32_t>(value);
}

CommandLine ParseCommandLine(int argc, const char* const argv[]) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help") {
      line.action = CommandAction::ShowHelp;
      return line;
    }
    if (argument == "--version") {
      line.action = CommandAction::ShowVersion;
      return line;
    }
    if (IsOneOf(argument, kRootOptions)) {
      if (line.target == DrawTarget::OwnWindow) {
        line.target = DrawTarget::ScreenSaver;
      }
      continue;
    }
    std::string_view idText;
    if (argument.substr(0, kWindowIdWithValue.size()) == kWindowIdWithValue) {
      idText = argument.substr(kWindowIdWithValue.size());
    } else if (IsOneOf(argument, kWindowIdOptions)) {
      if (i + 1 == argc) {
        return UsageError(std::string(argument) + " needs a window id");
      }
      idText = argv[++i];
    } else if (!argument.empty() && argument[0] == '-') {
      return UsageError("unknown option '" + std::string(argument) + "'");
    } else {
      return UsageError("unexpected argument '" + std::string(argument) + "'");
    }
    const std::optional<std::uint32_t> id = ParseWindowId(idText);
    if (!id) {
      return UsageError("'" + std::string(idText) +
                        "' is not a window id (decimal, or hexadecimal after 0x)");
    }
    if (line.target == DrawTarget::GivenWindow && line.windowId != *id) {
      return UsageError("two different window ids: give one");
    }
    line.target = DrawTarget::GivenWindow;
    line.windowId = *id;
  }
  return line;
}
