#include "sdl/command_line.h"

#include <limits>
#include <utility>

#include "app/settings_text.h"
#include "sdl/video_clip.h"
#include "state/app_state.h"

const char kUsageText[] =
    "usage: chromaflux [--period SECONDS] [--models LIST] [--classic]\n"
    "                  [--renderer auto|gl|software] [--root | --window-id ID]\n"
    "       chromaflux --render FILE [--size WxH | --classic] [--seed N]\n"
    "                  [--model M] [--at MS] [--frames K] [--fps F]\n"
    "                  [--renderer auto|gl|software]\n"
    "       chromaflux --help | --version\n"
    "\n"
    "Full-screen plasma. Without options Chromaflux opens its own full-screen\n"
    "window on the intro page; Esc quits.\n"
    "\n"
    "  --root           draw on the window named by XSCREENSAVER_WINDOW, as\n"
    "                   XScreenSaver runs a display mode, or on the root window\n"
    "                   when it is unset\n"
    "  --window-id ID   draw on the X window ID (decimal, or hexadecimal after 0x);\n"
    "                   wins over --root\n"
    "  --period SECONDS\n"
    "                   how long each model stays in RANDOM play mode, 5 to 300\n"
    "                   seconds [20]\n"
    "  --models LIST    the models drawn at random (at the start, in RANDOM play\n"
    "                   mode and on A): numbers and ranges from 0 to 13 between\n"
    "                   commas, as 0,3,8-12 [0-13]\n"
    "  --classic        the classic 800x600 picture, enlarged in its 4:3 box,\n"
    "                   instead of one at the full resolution\n"
    "  --renderer auto|gl|software\n"
    "                   who draws: the graphics processor through OpenGL 3.3 (on\n"
    "                   the window; for --render with no display, through EGL),\n"
    "                   or the processor; both draw the same bytes. auto takes\n"
    "                   OpenGL only on a hardware driver that draws a test picture\n"
    "                   exactly. The choice is named on standard error [auto]\n"
    "  --help           print this text and exit\n"
    "  --version        print the version and exit\n"
    "\n"
    "On another program's window the visuals start at once in RANDOM play mode,\n"
    "the keyboard and the mouse are left to that program, and SIGTERM, SIGINT or\n"
    "the window's end stops Chromaflux with exit code 0.\n"
    "\n"
    "--render opens no window: it runs the visuals from tick 0 of a virtual clock\n"
    "and writes frames as PNG pictures or a video, without the console or the\n"
    "intro page. Frame k runs at tick k * 1000 / F, rounded down; the first frame\n"
    "at a tick of MS or later is written. Defaults in brackets.\n"
    "\n"
    "  --render FILE    what to write, by its extension:\n"
    "                   .png   pictures; with K frames above 1, FILE-0001.png to\n"
    "                          FILE-K.png, numbered with at least 4 digits\n"
    "                   .mp4   H.264 video, for every player\n"
    "                   .webm  VP9 video, for the web\n"
    "                   .mkv   lossless video (FFV1): the PNG pictures' pixels\n"
    "                   .gif   an animation on a palette made from the clip\n"
    "                   videos go through the ffmpeg program (package ffmpeg);\n"
    "                   .mp4 and .webm get an odd side padded by one black line\n"
    "  --size WxH       1 to 16384 pixels a side [1920x1080]; --classic writes the\n"
    "                   classic 800x600 frame instead\n"
    "  --seed N         the run's seed, 0 to 4294967295 [from the clock, printed on\n"
    "                   standard error]\n"
    "  --model M        switch to model M, 0 to 13, at tick 0\n"
    "  --at MS          the virtual milliseconds to write from [5000]\n"
    "  --frames K       the number of frames to write [1]\n"
    "  --fps F          virtual frames a second, 1 to 1000 [60]\n"
    "\n"
    "Examples: ten seconds at 1920x1080 of model 3 for a video, for the web, to\n"
    "keep every pixel, and a small one for a chat:\n"
    "  chromaflux --render clip.mp4 --model 3 --frames 600\n"
    "  chromaflux --render clip.webm --model 3 --frames 600\n"
    "  chromaflux --render clip.mkv --model 3 --frames 600\n"
    "  chromaflux --render clip.gif --size 480x270 --frames 150 --fps 25\n"
    "\n"
    "Each option with a value takes it as the next argument or after '=', as in\n"
    "--size=640x480.\n"
    "Exit codes: 0 done; 1 no display, a window that cannot be used, an OpenGL\n"
    "context for --renderer gl that cannot be had, a file that cannot be written,\n"
    "or no ffmpeg (or ffmpeg failed) for a video; 2 a usage error.\n";

namespace {

// The options that take a value.
enum class Valued : std::int32_t {
  WindowId,
  Period,
  Models,
  Renderer,
  Render,
  Size,
  Seed,
  Model,
  At,
  Frames,
  Fps
};

struct ValuedOption {
  std::string_view name;   // as written when the value is the next argument
  Valued option;           // which one
  std::string_view needs;  // what a missing value should have been, for the message
};

// Only the "--" names also take "=VALUE", as GNU's getopt_long reads them.
constexpr ValuedOption kValuedOptions[] = {
    {"--window-id", Valued::WindowId, "a window id"},
    {"-window-id", Valued::WindowId, "a window id"},
    {"--period", Valued::Period, "a number of seconds"},
    {"--models", Valued::Models, "a list of models"},
    {"--renderer", Valued::Renderer, "auto, gl or software"},
    {"--render", Valued::Render, "a file name"},
    {"--size", Valued::Size, "a size WxH"},
    {"--seed", Valued::Seed, "a number"},
    {"--model", Valued::Model, "a model number"},
    {"--at", Valued::At, "a time in milliseconds"},
    {"--frames", Valued::Frames, "a frame count"},
    {"--fps", Valued::Fps, "a frame rate"},
};

constexpr std::string_view kRootOptions[] = {"--root", "-root"};
constexpr std::string_view kClassicOption = "--classic";
constexpr std::string_view kLongPrefix = "--";
constexpr char kSizeSeparator = 'x';
constexpr std::uint32_t kDecimalBase = 10;
constexpr std::uint32_t kHexBase = 16;
constexpr std::uint32_t kNoDigit = 255;
constexpr std::uint64_t kLargestUnsigned = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kLargestSigned = std::numeric_limits<std::int32_t>::max();

// What the loop has seen besides the record itself, checked once every argument is read.
struct ParseProgress {
  bool rendering = false;       // --render was given
  bool sized = false;           // --size was given
  std::string_view renderOnly;  // the first option that only --render takes, as written
};

template <std::size_t N>
bool IsOneOf(std::string_view argument, const std::string_view (&names)[N]) {
  for (const std::string_view name : names) {
    if (argument == name) {
      return true;
    }
  }
  return false;
}

const ValuedOption* FindValuedOption(std::string_view name) {
  for (const ValuedOption& option : kValuedOptions) {
    if (option.name == name) {
      return &option;
    }
  }
  return nullptr;
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

// Digits of `base` and nothing else (no sign, no space), at most `largest`.
std::optional<std::uint32_t> ParseDigits(std::string_view text, std::uint32_t base,
                                         std::uint64_t largest) {
  if (text.empty()) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char c : text) {
    const std::uint32_t digit = DigitValue(c);
    if (digit >= base) {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > largest) {  // checked per digit, so `value` never nears 64 bits
      return std::nullopt;
    }
  }
  return static_cast<std::uint32_t>(value);
}

// A decimal number from `smallest` to `largest`, both within std::int32_t.
std::optional<std::int32_t> ParseInRange(std::string_view text, std::int32_t smallest,
                                         std::int32_t largest) {
  const std::optional<std::uint32_t> value =
      ParseDigits(text, kDecimalBase, static_cast<std::uint64_t>(largest));
  if (!value || static_cast<std::int32_t>(*value) < smallest) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(*value);
}

CommandLine UsageError(std::string problem) {
  CommandLine line;
  line.action = CommandAction::UsageError;
  line.problem = std::move(problem);
  return line;
}

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

// Puts `value` of `option` into `line`; false with `problem` when it is not a value the option
// takes.
bool TakeValue(Valued option, std::string_view value, CommandLine& line, std::string& problem) {
  RenderSettings& render = line.render;
  switch (option) {
    case Valued::WindowId: {
      const std::optional<std::uint32_t> id = ParseWindowId(value);
      if (!id) {
        problem = Quoted(value) + " is not a window id (decimal, or hexadecimal after 0x)";
        return false;
      }
      if (line.target == DrawTarget::GivenWindow && line.windowId != *id) {
        problem = "two different window ids: give one";
        return false;
      }
      line.target = DrawTarget::GivenWindow;
      line.windowId = *id;
      return true;
    }
    case Valued::Period:
      problem = ReadSetting(line.settings, Setting::Period, value);
      return problem.empty();
    case Valued::Models:
      problem = ReadSetting(line.settings, Setting::Models, value);
      return problem.empty();
    case Valued::Renderer: {
      const std::optional<RendererChoice> choice = ParseRendererChoice(value);
      if (!choice) {
        problem = Quoted(value) + " is not a renderer (auto, gl or software)";
        return false;
      }
      line.renderer = *choice;
      return true;
    }
    case Valued::Render:
      if (!ClipKindOf(value)) {
        problem = Quoted(value) +
                  " is not the name of a PNG file or a video (FILE.png, .mp4, .webm, .mkv, .gif)";
        return false;
      }
      render.file = std::string(value);
      render.kind = *ClipKindOf(value);
      return true;
    case Valued::Size: {
      const std::size_t separator = value.find(kSizeSeparator);
      const std::optional<std::int32_t> width =
          ParseInRange(value.substr(0, separator), kSmallestRenderSide, kLargestRenderSide);
      const std::optional<std::int32_t> height =
          separator == std::string_view::npos
              ? std::nullopt
              : ParseInRange(value.substr(separator + 1), kSmallestRenderSide, kLargestRenderSide);
      if (!width || !height) {
        problem = Quoted(value) + " is not a size WxH of 1 to 16384 pixels a side";
        return false;
      }
      render.width = *width;
      render.height = *height;
      return true;
    }
    case Valued::Seed: {
      const std::optional<std::uint32_t> seed = ParseDigits(value, kDecimalBase, kLargestUnsigned);
      if (!seed) {
        problem = Quoted(value) + " is not a seed (0 to 4294967295)";
        return false;
      }
      render.seed = seed;
      return true;
    }
    case Valued::Model: {
      const std::optional<std::int32_t> model = ParseInRange(value, 0, kModelCount - 1);
      if (!model) {
        problem = Quoted(value) + " is not a model (0 to " + std::to_string(kModelCount - 1) + ")";
        return false;
      }
      render.model = model;
      return true;
    }
    case Valued::At: {
      const std::optional<std::int32_t> atMs = ParseInRange(value, 0, kLargestSigned);
      if (!atMs) {
        problem = Quoted(value) + " is not a time in milliseconds (0 to 2147483647)";
        return false;
      }
      render.atMs = *atMs;
      return true;
    }
    case Valued::Frames: {
      const std::optional<std::int32_t> frames = ParseInRange(value, 1, kLargestSigned);
      if (!frames) {
        problem = Quoted(value) + " is not a frame count (1 to 2147483647)";
        return false;
      }
      render.frames = *frames;
      return true;
    }
    case Valued::Fps: {
      const std::optional<std::int32_t> fps = ParseInRange(value, 1, kLargestRenderFps);
      if (!fps) {
        problem = Quoted(value) + " is not a frame rate (1 to 1000 frames a second)";
        return false;
      }
      render.fps = *fps;
      return true;
    }
  }
  return false;
}

// The rules between options, once all are read; false with `problem` when they clash.
bool Settle(const ParseProgress& progress, CommandLine& line, std::string& problem) {
  if (!progress.rendering) {
    if (!progress.renderOnly.empty()) {
      problem = std::string(progress.renderOnly) + " goes with --render FILE.png";
      return false;
    }
    return true;
  }
  if (line.target != DrawTarget::OwnWindow) {
    problem = "--render draws on no window: leave out --root and --window-id";
    return false;
  }
  if (line.settings.classic && progress.sized) {
    problem = "--classic renders the classic 800x600 frame: leave out --size";
    return false;
  }
  line.target = DrawTarget::Pictures;
  if (line.settings.classic) {
    line.render.width = screenWidth;
    line.render.height = screenHeight;
  }
  return true;
}

}  // namespace

std::optional<RendererChoice> ParseRendererChoice(std::string_view text) {
  if (text == "auto") {
    return RendererChoice::Auto;
  }
  if (text == "gl") {
    return RendererChoice::Gl;
  }
  if (text == "software") {
    return RendererChoice::Software;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> ParseWindowId(std::string_view text) {
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseDigits(text.substr(2), kHexBase, kLargestUnsigned);
  }
  return ParseDigits(text, kDecimalBase, kLargestUnsigned);
}

CommandLine ParseCommandLine(int argc, const char* const argv[]) {
  CommandLine line;
  ParseProgress progress;
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
    if (argument == kClassicOption) {
      ReadSetting(line.settings, Setting::Classic, std::nullopt);
      continue;
    }
    const std::size_t equals = argument.find('=');
    const bool joined =
        argument.substr(0, kLongPrefix.size()) == kLongPrefix && equals != std::string_view::npos;
    const std::string_view name = joined ? argument.substr(0, equals) : argument;
    const ValuedOption* option = FindValuedOption(name);
    if (option == nullptr) {
      if (!argument.empty() && argument[0] == '-') {
        return UsageError("unknown option " + Quoted(argument));
      }
      return UsageError("unexpected argument " + Quoted(argument));
    }
    std::string_view value;
    if (joined) {
      value = argument.substr(equals + 1);
    } else if (i + 1 == argc) {
      return UsageError(std::string(name) + " needs " + std::string(option->needs));
    } else {
      value = argv[++i];
    }
    std::string problem;
    if (!TakeValue(option->option, value, line, problem)) {
      return UsageError(problem);
    }
    progress.rendering = progress.rendering || option->option == Valued::Render;
    progress.sized = progress.sized || option->option == Valued::Size;
    if (progress.renderOnly.empty() && option->option >= Valued::Size) {
      progress.renderOnly = name;
    }
  }
  std::string problem;
  if (!Settle(progress, line, problem)) {
    return UsageError(problem);
  }
  return line;
}
