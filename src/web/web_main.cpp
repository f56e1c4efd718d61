// The web entry point: start-up, the loop that requestAnimationFrame drives, the end of a run and
// the start of the next one.
//
// The page (index.html) plays the part of the window system: it queues key presses, left clicks
// and the pointer events of fingers and pens on the canvas, and each animation frame runs one pass
// of the loop, which takes all waiting input first, then one idle pass (a frame and a console
// slide step), as the Windows message loop does when its queue runs empty. The loop never blocks
// the page. Clicks and pointer events go through the core's gesture reader
// (app/pointer_gestures.h); what it leaves to the platform, the touch controls and full screen, is
// the page's.
//
// Each run is drawn by the GL renderer on a WebGL2 context (web/webgl_display.h) or by the
// software renderer, as the address's ?renderer= chooses (docs/web.md); the page is told which.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "app/frame_driver.h"
#include "app/pointer_gestures.h"
#include "app/run.h"
#include "app/settings_text.h"
#include "gl/gl_renderer.h"
#include "platform/display.h"
#include "platform/text_output.h"
#include "software/software_renderer.h"
#include "state/app_state.h"
#include "web/web_display.h"
#include "web/webgl_display.h"

// The oldest input the page queued: a virtual-key code, kLeftClick, kPointer or kNoInput.
EM_JS(int, TakePageInput, (), { return Module.page.takeInput(); });
// Value `index` of those that came with the input taken last, positions in picture 0's pixels:
// kLeftClick's x and y; kPointer's phase (a PointerPhase), pointer id, x, y, time in milliseconds
// and picture pixels per CSS pixel.
EM_JS(double, TakenInputValue, (int index), { return Module.page.takenValue(index); });
// How many picture pixels make a CSS pixel on the page.
EM_JS(double, PagePixelsPerPoint, (), { return Module.page.pixelsPerPoint(); });
// Shows the page's row of touch controls for a while.
EM_JS(void, ShowTouchControls, (), { Module.page.showControls(); });
// Full screen, or back, as F and a double-click switch it.
EM_JS(void, ToggleFullScreen, (), { Module.page.toggleFullscreen(); });
// Tells the page what the run shows after a pass: the visuals started or not, the model, RANDOM
// play mode or MANUAL, and the console's rows on screen. The page labels its controls by it and
// keeps it for anyone to read (Module.page.run).
EM_JS(void, ShowRunOnPage, (int started, int model, int random, int consoleRows),
      { Module.page.showRun(Boolean(started), model, Boolean(random), consoleRows); });
// Tells the page that the program has ended: the next left click or touch calls StartChromaflux.
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
// The address's ?renderer= as the page read it: a RendererChoice.
EM_JS(int, AddressRendererChoice, (), { return Module.page.rendererChoice; });
// Tells the page which renderer draws the run, "gl" or "software", and why, and the line to show
// in place of its own ("" for none).
EM_JS(void, UseRendererOnPage, (const char* renderer, const char* why, const char* line),
      { Module.page.useRenderer(UTF8ToString(renderer), UTF8ToString(why), UTF8ToString(line)); });

namespace {

constexpr int kNoInput = -1;
constexpr int kLeftClick = -2;
constexpr int kPointer = -3;
constexpr int kKeyH = 0x48;  // the classic frame or high resolution: the page's command
constexpr std::uint32_t kEndedInk = 0x00FFFFFF;  // COLORREF
constexpr std::int32_t kEndedLineY = 295;        // top of the line, about the middle of the screen
constexpr char kNoMemory[] =
    "Chromaflux needs about 128 MB of memory, and this page could not get it.";

// Who draws the runs: ?renderer=auto|gl|software.
enum class RendererChoice : int {
  Auto = 0,      // the GL renderer where a WebGL2 context without a performance caveat runs on a
                 // graphics processor, else the software renderer
  Gl = 1,        // the GL renderer wherever a WebGL2 context can be had
  Software = 2,  // the software renderer
};

// The page's own state.
struct WebRun {
  RunSettings settings;  // what the page's address chose, for every run of the page
  RendererChoice renderer = RendererChoice::Auto;  // likewise
};

WebRun web;

// The settings of the page's address, each bad one at its default, told to the page.
void ReadPageAddress() {
  std::string query(static_cast<std::size_t>(AddressQueryBytes()) + 1, '\0');
  CopyAddressQuery(query.data(), static_cast<int>(query.size()));
  query.pop_back();
  const std::string problems = ReadAddressSettings(web.settings, query);
  UseAddressSettings(web.settings.classic ? 1 : 0, problems.c_str());
  web.renderer = static_cast<RendererChoice>(AddressRendererChoice());
}

const Renderer& UseSoftware(const std::string& why, const char* line = "") {
  UseRendererOnPage("software", why.c_str(), line);
  return SoftwareRenderer();
}

const Renderer& UseGl() {
  UseRendererOnPage("gl", WebGlRendererName().c_str(), "");
  return GlRenderer();
}

// The renderer of the next run, with the WebGL display open where it is the GL one. Auto looks at
// the renderer on a canvas of its own first (a canvas that once had a WebGL context cannot show
// the software renderer's pictures), then runs the self-check (gl/self_check.h) on the page's.
const Renderer& ChooseRenderer() {
  switch (web.renderer) {
    case RendererChoice::Software:
      break;
    case RendererChoice::Gl:
      if (OpenWebGlDisplay(false)) {
        return UseGl();
      }
      return UseSoftware("no WebGL2 context",
                         "Chromaflux: this browser gives no WebGL2 context; the software renderer "
                         "draws instead.");
    case RendererChoice::Auto: {
      const std::string probed = ProbeWebGlRenderer(true);
      if (probed.empty()) {
        return UseSoftware("no WebGL2 context without a major performance caveat");
      }
      // SwiftShader, which browsers fall back to, has no performance caveat in Chromium 156. A
      // browser that hides the name ("WebKit WebGL") is taken at its word.
      if (IsSoftwareRasteriser(probed)) {
        return UseSoftware(probed + " draws on the processor");
      }
      if (!OpenWebGlDisplay(true)) {
        return UseSoftware("no WebGL2 context on the page's canvas");
      }
      if (!WebGlPassesSelfCheck(GlRenderer())) {
        CloseWebGlDisplay();
        return UseSoftware(probed + " failed the self-check");
      }
      return UseGl();
    }
  }
  return UseSoftware("asked for");
}

// Gives back the run's buffers and the page's own, so that the next start-up begins from where
// the first one did (heap memory only goes back to the allocator; the page's memory does not
// shrink).
void ReleaseRun() {
  ReleaseCanvasImage();
  EndRun();
  CloseWebGlDisplay();
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

// A restored WebGL context has none of the GL renderer's textures: the renderer starts again, and
// the core hands it everything anew. Where it cannot, the software renderer takes over; false
// where that cannot start either.
bool RestartGlRenderer() {
  if (SwitchRenderer(GlRenderer())) {
    return true;
  }
  const std::string why = std::string("the restored WebGL2 context failed: ") + GlRendererProblem();
  UseSoftware(why);
  const bool started = SwitchRenderer(SoftwareRenderer());
  CloseWebGlDisplay();
  return started;
}

// The pointer event taken last (kPointer): milliseconds since the page loaded, modulo 2^32 like
// the clock's ticks.
PointerEvent TakenPointerEvent() {
  PointerEvent event;
  event.phase = static_cast<PointerPhase>(TakenInputValue(0));
  event.id = static_cast<std::int32_t>(TakenInputValue(1));
  event.x = TakenInputValue(2);
  event.y = TakenInputValue(3);
  event.tick = static_cast<std::uint32_t>(static_cast<std::uint64_t>(TakenInputValue(4)));
  return event;
}

// What a gesture leaves to the page.
void RunOnPage(PointerCommand command) {
  switch (command.kind) {
    case PointerCommandKind::ShowControls:
      ShowTouchControls();
      break;
    case PointerCommandKind::FullScreen:
      ToggleFullScreen();
      break;
    case PointerCommandKind::None:
    case PointerCommandKind::Start:
    case PointerCommandKind::Key:
    case PointerCommandKind::Model:
      break;  // the core's, already run
  }
}

// One pass of the loop, once per animation frame; false stops the loop.
EM_BOOL RunAnimationFrame(double, void*) {
  if (TakeRestoredGlContext() && !RestartGlRenderer()) {
    ReleaseRun();
    ShowPageMessage(kNoMemory);
    return EM_FALSE;
  }
  bool quit = false;
  for (int input = TakePageInput(); input != kNoInput; input = TakePageInput()) {
    if (input == kLeftClick) {
      RunPointerCommand(ReadClick(TakenInputValue(0), TakenInputValue(1)));
    } else if (input == kPointer) {
      RunOnPage(RunPointerCommand(ReadPointer(TakenPointerEvent(), TakenInputValue(5))));
    } else if (input == kKeyH) {
      ToggleClassicFrame();
      ShowClassicChoice(app.settings.classic ? 1 : 0);
    } else if (PostKey(static_cast<std::uint32_t>(input)) == RunRequest::End) {
      quit = true;  // once the waiting input is handled
    }
  }
  SetPixelsPerPoint(PagePixelsPerPoint());
  // The page never loses its display for good, but a failed frame ends the run all the same.
  // The browser's next animation frame is the next pass: the pass's due time is not needed.
  if (quit || !RunLoopPass().goOn) {
    EndPageRun();
    return EM_FALSE;
  }
  ShowRunOnPage(app.started, app.currentModel, app.playPeriodMs != kManualPeriodMs ? 1 : 0,
                static_cast<int>(app.consoleOffset));
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
  const std::uint32_t seed = StartSeed();
  const Renderer& renderer = ChooseRenderer();
  bool started =
      CreateCanvasImage() && StartRun(seed, RunOpening::IntroPage, web.settings, renderer);
  if (!started && &renderer == &GlRenderer() && GlRendererProblem()[0] != '\0') {
    const std::string why = GlRendererProblem();
    ReleaseRun();
    UseSoftware(why, ("Chromaflux: WebGL2 could not draw (" + why +
                      "); the software renderer draws instead.")
                         .c_str());
    started = CreateCanvasImage() &&
              StartRun(seed, RunOpening::IntroPage, web.settings, SoftwareRenderer());
  }
  if (!started) {
    ReleaseRun();
    ShowPageMessage(kNoMemory);
    return;
  }
  emscripten_request_animation_frame_loop(RunAnimationFrame, nullptr);
}

int main() {
  ReadPageAddress();
  StartChromaflux();
  return 0;
}
