#include "ui/console_text.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/logo_surfaces.h"
#include "platform/text_output.h"
#include "state/app_state.h"
#include "ui/console_panel.h"
#include "ui/web_addresses.h"

namespace {

// Text colours, COLORREF 0x00BBGGRR.
constexpr std::uint32_t kBlackInk = 0x00000000;
constexpr std::uint32_t kWhiteInk = 0x00FFFFFF;
constexpr std::uint32_t kLabelInk = 0x00888888;    // (136, 136, 136)
constexpr std::uint32_t kHeadingInk = 0x00666600;  // (0, 102, 102)
constexpr std::uint32_t kHelpInk = 0x00666666;     // (102, 102, 102)
constexpr std::uint32_t kFooterInk = 0x009999CC;   // (204, 153, 153)

constexpr std::uint32_t kFpsWindowMs = 1000;  // the frame rate counts frames of at least 1 s

// Console-relative positions of the texts that sit on no control.
constexpr std::int32_t kLogoRowY = 10;       // top of both logos
constexpr std::int32_t kLabelGap = 10;       // labels end 10 px left of the controls column
constexpr std::int32_t kRingLabelY = 67;     // "COLOR RING", beside the strip
constexpr std::int32_t kManualCentreX = 33;  // centres of the two play-mode buttons
constexpr std::int32_t kRandomCentreX = 98;
constexpr std::int32_t kHeadingX = 3;
constexpr std::int32_t kHeadingY = 10;
constexpr std::int32_t kHelpX = 8;
constexpr std::int32_t kHelpTopY = 20;
constexpr std::int32_t kHelpLineStep = 10;
constexpr std::int32_t kFooterY = 70;

constexpr std::string_view kHelpLines[] = {"ARROWS - change model", "Q - toggle play mode",
                                           "A - draw random model", "Z - draw random colors"};

// Draws `value` in decimal ("%u") at (x, y).
void PutNumber(std::int32_t x, std::int32_t y, std::uint32_t value) {
  char digits[10];  // 4294967295 at most
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  PutText(x, y, std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void PutControlTexts(std::int32_t top) {
  const std::int32_t left = app.consoleLeft;
  // The device context's default ink and anchor, set here so that the TAB hint's cannot carry over.
  SetTextInk(kBlackInk);
  SetTextAnchor(TextAnchor::Left);
  PutNumber(left, top + app.fpsRowY, app.fpsShown);

  SetTextAnchor(TextAnchor::Centre);
  SetTextInk(kWhiteInk);  // the selected model's button colour marks it, not its number
  for (std::int32_t i = 0; i < kModelCount; ++i) {
    const ConsolePoint button = ModelButtonOrigin(i);
    PutNumber(button.x + app.modelButtonColumns / 2, top + button.y, static_cast<std::uint32_t>(i));
  }
  PutText(left + kManualCentreX, top + app.playModeRowY, "MANUAL");
  PutText(left + kRandomCentreX, top + app.playModeRowY, "RANDOM");

  SetTextInk(kLabelInk);
  SetTextAnchor(TextAnchor::Right);
  const std::int32_t labelX = left - kLabelGap;
  PutText(labelX, top + app.fpsRowY, "FPS");
  PutText(labelX, top + app.playModeRowY, "PLAY MODE");
  PutText(labelX, top + app.modelRowY, "MATH MODEL");
  PutText(labelX, top + kRingLabelY, "COLOR RING");
}

void PutHelpTexts(std::int32_t top) {
  SetTextInk(kHeadingInk);
  SetTextAnchor(TextAnchor::Left);
  PutText(kHeadingX, top + kHeadingY, "KEYBOARD:");
  SetTextInk(kHelpInk);
  std::int32_t y = top + kHelpTopY;
  for (const std::string_view line : kHelpLines) {
    PutText(kHelpX, y, line);
    y += kHelpLineStep;
  }
  SetTextInk(kFooterInk);
  PutText(0, top + kFooterY, kFooterText);
}

// The platform copy does not clip: a logo is copied only once it fits on the screen completely.
void BlitLogoIfItFits(Logo logo, std::int32_t x, std::int32_t y, std::int32_t height) {
  if (y >= 0 && y + height <= screenHeight) {
    BlitLogo(logo, x, y);
  }
}

}  // namespace

// Every window of at least 1000 ms (tick differences modulo 2^32) shows the frames it held, this
// one included, and the next window starts at this frame.
void CountFrame() {
  ++app.fpsFrameCount;
  if (app.frameTick - app.fpsTick >= kFpsWindowMs) {
    app.fpsShown = app.fpsFrameCount;
    app.fpsFrameCount = 0;
    app.fpsTick = app.frameTick;
  }
}

// The narrow console has no room for the logos.
void BlitLogos() {
  if (!ClassicConsole()) {
    return;
  }
  const std::int32_t y = app.consoleTop + kLogoRowY;
  BlitLogoIfItFits(Logo::Large, screenWidth - kLargeLogoWidth, y, kLargeLogoHeight);
  BlitLogoIfItFits(Logo::Small, screenWidth / 2 - kSmallLogoWidth / 2, y, kSmallLogoHeight);
}

// Drawn on every running frame, also while the console is hidden: the console texts then lie
// below the screen and the device context clips them.
void DrawConsoleText() {
  BeginText();
  if (app.tabPressed == 0) {
    SetTextInk(kWhiteInk);
    SetTextAnchor(TextAnchor::Right);
    PutText(screenWidth, kTabHintTop, "press TAB to open console");
  }
  PutControlTexts(app.consoleTop);
  if (ClassicConsole()) {
    PutHelpTexts(app.consoleTop);
  }
  EndText();
}
