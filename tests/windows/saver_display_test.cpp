// Which renderer the screen saver's display takes, and its fall-back: on Wine's llvmpipe auto takes
// the software renderer and gl the GL one; when the GL renderer's windows go mid-run, the run goes
// on with the software renderer through GDI in the same window until the window goes. The
// self-check that auto runs where the context is no processor rasteriser, on llvmpipe.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gl/gl_renderer.h"
#include "software/memory_frame.h"
#include "software/software_renderer.h"
#include "state/app_state.h"
#include "windows/gdi_display.h"
#include "windows/saver_display.h"
#include "windows/saver_renderer_choice.h"
#include "windows/saver_visuals.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;
constexpr DWORD kDeadlineMs = 60000;  // two runs' geometry tables, on a busy machine
constexpr std::uint32_t kColourBits = 0x00FFFFFF;

// What the timer saw while RunSaverVisuals ran.
struct Seen {
  DWORD startTick = 0;
  bool glWindowGone = false;   // a GL picture's window was found and destroyed
  bool softwareShows = false;  // then the window showed the software renderer's picture
};

Seen seen;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintGdiDisplay(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND CreateHost() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = "SaverDisplayHost";
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, windowClass.lpszClassName, "saver display", WS_POPUP | WS_VISIBLE, 0, 0,
                         kWidth, kHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
}

// The host's client area holds the memory frame's picture, lit, pixel for pixel.
bool ShowsTheSoftwarePicture(HWND host) {
  const FrameView picture = PictureView();
  if (picture.pixels == nullptr || picture.width != kWidth || picture.height != kHeight) {
    return false;
  }
  HDC dc = GetDC(host);
  bool same = true;
  bool lit = false;
  for (int y = 0; y < kHeight && same; y += 7) {
    for (int x = 0; x < kWidth && same; x += 5) {
      const std::uint32_t shown = GetPixel(dc, x, y);  // 0x00BBGGRR
      const std::uint32_t drawn = picture.pixels[y * picture.pitch + x];
      same =
          (shown & kColourBits) == ((drawn & 0xFF) << 16 | (drawn & 0xFF00) | (drawn >> 16 & 0xFF));
      lit |= drawn != 0;
    }
  }
  ReleaseDC(host, dc);
  return same && lit;
}

// Destroys the GL picture's window once there is one, then waits for the software renderer's
// picture in the host, and ends the run by destroying the host.
void CALLBACK Check(HWND host, UINT, UINT_PTR timer, DWORD now) {
  if (!seen.glWindowGone) {
    HWND picture = FindWindowExA(nullptr, nullptr, "ChromafluxGlPicture", nullptr);
    if (picture != nullptr && IsWindowVisible(picture) != FALSE) {
      seen.glWindowGone = DestroyWindow(picture) != FALSE;
    }
  } else {
    seen.softwareShows = ShowsTheSoftwarePicture(host);
  }
  if (seen.softwareShows || now - seen.startTick > kDeadlineMs) {
    KillTimer(host, timer);
    DestroyWindow(host);
  }
}

TEST(SaverDisplay, ChoosesByTheSetting) {
  const struct {
    RendererChoice choice;
    const Renderer* renderer;
  } cases[] = {{RendererChoice::Software, &SoftwareRenderer()},
               {RendererChoice::Auto, &SoftwareRenderer()},  // llvmpipe draws on the processor
               {RendererChoice::Gl, &GlRenderer()}};
  HWND host = CreateHost();
  const RECT area{0, 0, kWidth, kHeight};
  for (const auto& c : cases) {
    OpenSaverDisplay(host, &area, 1, SaverSettings{RunSettings{}, c.choice});
    EXPECT_EQ(&SaverDisplayRenderer(), c.renderer) << static_cast<int>(c.choice);
    CloseSaverDisplay();
  }
  DestroyWindow(host);
  MSG quit{};  // the host's, with no run to take it
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(SaverDisplay, FallsBackToSoftwareWhenTheGlWindowsGo) {
  HWND host = CreateHost();
  const RECT area{0, 0, kWidth, kHeight};
  OpenSaverDisplay(host, &area, 1, SaverSettings{RunSettings{}, RendererChoice::Gl});
  seen = Seen{};
  seen.startTick = GetTickCount();
  SetTimer(host, 1, 100, Check);
  EXPECT_TRUE(RunSaverVisuals(RunSettings{}));
  EXPECT_TRUE(seen.glWindowGone);
  EXPECT_TRUE(seen.softwareShows);
  EXPECT_EQ(&SaverDisplayRenderer(), &SoftwareRenderer());
  CloseSaverDisplay();
}

// A fault of one bit in every colour the GL renderer is handed: the self-check must see it.
void LoadFaultyRing(const std::uint32_t* ring) {
  std::vector<std::uint32_t> faulty(ring, ring + ringSize);
  for (std::uint32_t& colour : faulty) {
    colour ^= 1;
  }
  GlRenderer().loadRing(faulty.data());
}

TEST(SaverRendererChoice, SelfCheckPassesTheGlRendererAndRefusesAFault) {
  Renderer faulty = GlRenderer();
  faulty.loadRing = LoadFaultyRing;
  EXPECT_TRUE(PassesSelfCheck(GlRenderer()));
  EXPECT_FALSE(PassesSelfCheck(faulty));
}

TEST(SaverRendererChoice, KnowsTheProcessorsRasterisers) {
  for (const char* name : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "GDI Generic",
                           "SwiftShader Device (Subzero)", "Microsoft Basic Render Driver"}) {
    EXPECT_TRUE(IsSoftwareRasteriser(name)) << name;
  }
  for (const char* name : {"NVIDIA GeForce RTX 3060/PCIe/SSE2", "AMD Radeon RX 6600", "NOOP", ""}) {
    EXPECT_FALSE(IsSoftwareRasteriser(name)) << name;
  }
}

}  // namespace
