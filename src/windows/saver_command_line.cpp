#include "windows/saver_command_line.h"

#include <limits>
#include <optional>

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::uintptr_t kDecimalBase = 10;

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char LowerCase(char letter) {
  return letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
}

// Digits only, at least one, and a value that fits a handle.
std::optional<std::uintptr_t> ParseDecimal(std::string_view digits) {
  if (digits.empty()) {
    return std::nullopt;
  }
  constexpr std::uintptr_t kLargest = std::numeric_limits<std::uintptr_t>::max();
  std::uintptr_t value = 0;
  for (const char digit : digits) {
    if (digit < '0' || digit > '9') {
      return std::nullopt;
    }
    const auto digitValue = static_cast<std::uintptr_t>(digit - '0');
    if (value > (kLargest - digitValue) / kDecimalBase) {
      return std::nullopt;
    }
    value = value * kDecimalBase + digitValue;
  }
  return value;
}

// What follows a switch letter: nothing, or a handle after a colon or after blanks. Anything
// else is no handle (std::nullopt); `given` tells the two answers of "nothing" apart.
struct HandleArgument {
  bool given;
  std::optional<std::uintptr_t> window;
};

HandleArgument ReadHandleArgument(std::string_view rest) {
  if (rest.empty()) {
    return {false, 0};
  }
  if (rest.front() == ':') {
    return {true, ParseDecimal(rest.substr(1))};
  }
  if (kBlanks.find(rest.front()) != std::string_view::npos) {
    return {true, ParseDecimal(TrimBlanks(rest))};
  }
  return {true, std::nullopt};
}

}  // namespace

SaverCommand ParseSaverCommandLine(std::string_view commandLine) {
  constexpr SaverCommand kNothing{SaverAction::Nothing, 0};
  const std::string_view line = TrimBlanks(commandLine);
  if (line.empty()) {
    return {SaverAction::Settings, 0};
  }
  if (line.size() < 2 || (line[0] != '/' && line[0] != '-')) {
    return kNothing;
  }
  const HandleArgument argument = ReadHandleArgument(line.substr(2));
  if (!argument.window.has_value()) {
    return kNothing;
  }
  switch (LowerCase(line[1])) {
    case 's':
      return argument.given ? kNothing : SaverCommand{SaverAction::Run, 0};
    case 'p':
      return argument.given ? SaverCommand{SaverAction::Preview, *argument.window} : kNothing;
    case 'c':
      return {SaverAction::Settings, *argument.window};
    default:
      return kNothing;
  }
}
