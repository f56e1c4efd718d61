// The web entry point: start-up, the loop that requestAnimationFrame drives, the end of a run and
// the start of the next one.
//
// The page (index.html) plays the part of the window system: it queues key presses and left
// clicks on the canvas, and each animation frame runs one pass of the loop, which takes all
// waiting input first, then one idle pass (a frame and a console slide step), as the Windows
// message loop does when its queue runs empty. The loop never blocks the page.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "app/frame_driver.h"
#include "app/run.h"
#include "app/settings_text.h"
#include "platform/display.h"
#include "platform/text_output.h"
#include "software/software_renderer.h"
#include "state/app_state.h"
#include "web/web_display.h"

// The oldest input the page queued: a virtual-key code, kLeftClick or kNoInput.
EM_JS(int, TakePageInput, (), { return Module.page.takeInput(); });
// Tells the page that the program has ended: the next left click calls StartChromaflux.
EM_JS(void, WaitForRestartClick, (), { Module.page.waitForRestart(); });
// Shows `text` on the page in place of the picture.
EM_JS(void, ShowPageMessage, (const char* text), { Module.page.showMessage(UTF8ToString(text)); });
// The bytes of the page address's query ("?period=30..."), in UTF-8, and a copy of them into
// `size` bytes at `buffer`, the last one a zero.
EM_JS(int, AddressQueryBytes, (), { return lengthBytesUTF8(location.search); });
EM_JS(void, CopyAddressQuery, (char* buffer, int size),
      { stringToUTF8(location.search, buffer, size); });
// Tells the page the address's choice of the classic frame, and the problems with its settings
// ("" for none), which the page shows as its line.
EM_JS(void, UseAddressSettings, (int classic, const char* problems),
      { Module.page.useSettings(Boolean(classic), UTF8ToString(problems)); });
// Tells the page the run's choice of the classic frame after H, so that it lays the canvas out.
EM_JS(void, ShowClassicChoice, (int classic), { Module.page.useClassic(Boolean(classic)); });

namespace {

constexpr int kNoInput = -1;
constexpr int kLeftClick = -2;
constexpr int kKeyH = 0x48;  // the classic frame or high resolution: the page's command
constexpr std::uint32_t kEndedInk = 0x00FFFFFF;  // COLORREF
constexpr std::int32_t kEndedLineY = 295;        // top of the line, about the middle of the screen

// The page's own state.
struct WebRun {
  RunSettings settings;  // what the page's address chose, for every run of the page
};

WebRun web;

// The settings of the page's address, each bad one at its default, told to the page.
void ReadPageAddress() {
  std::string query(static_cast<std::size_t>(AddressQueryBytes()) + 1, '\0');
  CopyAddressQuery(query.data(), static_cast<int>(query.size()));
  query.pop_back();
  const std::string problems = ReadAddressSettings(web.settings, query);
  UseAddressSettings(web.settings.classic ? 1 : 0, problems.c_str());
}

// Gives back the run's buffers and the page's own, so that the next start-up begins from where
// the first one did (heap memory only goes back to the allocator; the page's memory does not
// shrink).
void ReleaseRun() {
  ReleaseCanvasImage();
  EndRun();
}

// Esc: the last picture gives way to a black screen with the restart line, and the run's memory
// is given back; the page waits for a click, and the next run keeps the frame chosen with H. The
// line is drawn on the classic frame, whatever size the picture had, and the page shows it in the
// classic 4:3 box.
void EndPageRun() {
  web.settings.classic = app.settings.classic;
  UseClassicPicture();
  ClearFrame();
  OpenFrameText();
  BeginText();
  SetTextInk(kEndedInk);
  SetTextAnchor(TextAnchor::Centre);
  PutText(screenWidth / 2, kEndedLineY, "Chromaflux has ended. Click to start it again.");
  EndText();
  CloseFrameText();
  FinishFrame(FrameDescription{});
  ReleaseRun();
  WaitForRestartClick();
}

// One pass of the loop, once per animation frame; false stops the loop.
EM_BOOL RunAnimationFrame(double, void*) {
  bool quit = false;
  for (int input = TakePageInput(); input != kNoInput; input = TakePageInput()) {
    if (input == kLeftClick) {
      PostClick();
    } else if (input == kKeyH) {
      ToggleClassicFrame();
      ShowClassicChoice(app.settings.classic ? 1 : 0);
    } else if (PostKey(static_cast<std::uint32_t>(input)) == RunRequest::End) {
      quit = true;  // once the waiting input is handled
    }
  }
  // The page never loses its display for good, but a failed frame ends the run all the same.
  // The browser's next animation frame is the next pass: the pass's due time is not needed.
  if (quit || !RunLoopPass().goOn) {
    EndPageRun();
    return EM_FALSE;
  }
  return EM_TRUE;
}

// Wall-clock milliseconds, modulo 2^32. The tick (milliseconds since the page loaded) would give
// nearly the same seed on every load.
std::uint32_t StartSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

// A start-up: the memory frame, the scene and the start tick, then the loop. Called by main and,
// after Esc, by the page on the next left click.
extern "C" EMSCRIPTEN_KEEPALIVE void StartChromaflux() {
  if (!CreateCanvasImage() ||
      !StartRun(StartSeed(), RunOpening::IntroPage, web.settings, SoftwareRenderer())) {
    ReleaseRun();
    ShowPageMessage("Chromaflux needs about 128 MB of memory, and this page could not get it.");
    return;
  }
  emscripten_request_animation_frame_loop(RunAnimationFrame, nullptr);
}

int main() {
  ReadPageAddress();
  StartChromaflux();
  return 0;
}
