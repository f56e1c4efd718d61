#include "display_fixture.h"

#include "platform/display.h"
#include "state/app_state.h"
#include "windows/ddraw_display.h"
#include "windows/win_platform.h"

HWND CreateTestWindow() {
  constexpr char kClass[] = "ChromafluxTest";
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClass;
  RegisterClassA(&windowClass);  // fails harmlessly when an earlier test registered it
  HWND window = CreateWindowExA(0, kClass, "Chromaflux test", WS_POPUP, 0, 0, screenWidth,
                                screenHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

void WineDisplay::SetUp() {
  app = AppState{};
  Platform() = WinPlatform{};
  window = CreateTestWindow();
  ASSERT_NE(window, nullptr) << "no window: is DISPLAY set (scripts/wine-session)?";
  ASSERT_EQ(OpenDisplay(window), DD_OK);
  ASSERT_EQ(CreateFlipChain(1), DD_OK);
}

void WineDisplay::TearDown() {
  CloseDisplay();
  // The window is left to the process end, like the program leaves its own: without a window
  // manager (Xvfb alone), Wine's DestroyWindow takes 2 s.
  app = AppState{};
  Platform() = WinPlatform{};
}

std::vector<std::uint32_t> WineDisplay::ReadBackBuffer() {
  std::vector<std::uint32_t> pixels;
  const FrameView frame = LockBackBuffer();
  if (frame.pixels == nullptr) {
    ADD_FAILURE() << "the back buffer cannot be locked";
    return pixels;
  }
  pixels.reserve(static_cast<std::size_t>(screenWidth) * screenHeight);
  for (std::int32_t y = 0; y < screenHeight; ++y) {
    const std::uint32_t* row = frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch;
    for (std::int32_t x = 0; x < screenWidth; ++x) {
      pixels.push_back(row[x] & kRgbMask);
    }
  }
  UnlockBackBuffer();
  return pixels;
}
