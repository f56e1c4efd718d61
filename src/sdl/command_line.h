// The desktop program's command line: where it draws, or what it prints instead.
//
// Without options the program opens its own full-screen window on the intro page. With --root or
// --window-id it draws on a window that another program made (XScreenSaver's, or any X window),
// straight into the visuals. With --render it draws no window at all but writes PNG pictures of a
// run on a virtual clock. The parser is pure: it reads the arguments and nothing else.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sdl/video_clip.h"
#include "state/run_settings.h"

// Where the program draws.
enum class DrawTarget : std::int32_t {
  OwnWindow = 0,    // its own full-screen window
  ScreenSaver = 1,  // --root: the window in XSCREENSAVER_WINDOW, else the root window
  GivenWindow = 2,  // --window-id ID
  Pictures = 3,     // --render FILE.png: PNG files, no window (CommandLine::render)
};

// Who draws the frames (--renderer).
enum class RendererChoice : std::int32_t {
  Auto = 0,      // the GL renderer where a hardware context draws its test picture exactly
  Gl = 1,        // the GL renderer, or exit 1 naming what is missing
  Software = 2,  // the software renderer
};

// What the program does with its command line.
enum class CommandAction : std::int32_t {
  Run = 0,          // draw on `target`
  ShowHelp = 1,     // print the usage on standard output, exit 0
  ShowVersion = 2,  // print "chromaflux VERSION" on standard output, exit 0
  UsageError = 3,   // print `problem` on standard error, exit 2
};

// The picture sizes --size takes, in pixels on each side.
constexpr std::int32_t kSmallestRenderSide = 1;
constexpr std::int32_t kLargestRenderSide = 16384;
// The fastest --fps: one frame per millisecond, the step of the virtual clock.
constexpr std::int32_t kLargestRenderFps = 1000;

// What --render writes. A run with `seed` starts straight in the visuals at tick 0 of a virtual
// clock; frame k (k = 1, 2, ...) runs at tick floor(k * 1000 / fps); the first frame at a tick of
// atMs or later and the frames - 1 after it are written, each to its own file. The values here
// are those the program takes when an option is left out.
struct RenderSettings {
  std::string file;                   // --render FILE as given, of a kind ClipKindOf knows
  std::int32_t width = 1920;          // --size WxH, or the classic 800 x 600 with --classic
  std::int32_t height = 1080;         // (see RunSettings::classic)
  std::optional<std::uint32_t> seed;  // --seed N; none: the runner seeds from the clock
  std::optional<std::int32_t> model;  // --model M, switched to at tick 0; none: the seed's own
  std::int32_t atMs = 5000;           // --at MS: virtual milliseconds, at least 0
  std::int32_t frames = 1;            // --frames K: at least 1; more than 1 numbers the files
  std::int32_t fps = 60;              // --fps F: 1 to kLargestRenderFps
  ClipKind kind = ClipKind::Png;      // what FILE's extension asks for
};

struct CommandLine {
  CommandAction action = CommandAction::Run;
  DrawTarget target = DrawTarget::OwnWindow;
  std::uint32_t windowId = 0;  // the X window of DrawTarget::GivenWindow
  RunSettings settings;        // --period, --models and --classic (live or rendered)
  RenderSettings render;       // what DrawTarget::Pictures writes
  RendererChoice renderer = RendererChoice::Auto;  // --renderer
  std::string problem;  // UsageError: one line naming the problem, without a newline
};

// The usage text that --help prints, ending with a newline; no line is wider than 80 columns.
extern const char kUsageText[];

// Reads argv[1] ... argv[argc - 1]. Options follow XScreenSaver's display modes as well as GNU's
// forms: --root or -root; --window-id ID, --window-id=ID or -window-id ID. --period, --models and
// the options of --render (and --render itself) take GNU's two forms, --size WxH or --size=WxH;
// the last of a repeated one counts; app/settings_text.h reads the settings' values. --help and
// --version answer as soon as they are read. --window-id wins over --root, in either order:
// XScreenSaver's settings dialog runs the command as written (with --root) and adds -window-id
// for its preview. Usage errors: two different window ids; a setting's value it refuses; a value
// out of range or not a plain decimal number; an option of --render without --render; --render
// with --root or --window-id; --size with --classic, which fixes the size at 800 x 600.
CommandLine ParseCommandLine(int argc, const char* const argv[]);

// "auto", "gl" or "software", exactly.
std::optional<RendererChoice> ParseRendererChoice(std::string_view text);

// An X window id as XScreenSaver and xwininfo write it: unsigned decimal, or hexadecimal after
// 0x or 0X; nothing before or after, at most 32 bits (X resource ids are 32-bit fields).
std::optional<std::uint32_t> ParseWindowId(std::string_view text);
