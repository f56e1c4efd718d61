// The preview's code drawing into a window that the test made, in this process: Wine does not
// show what one process draws into another's window, so the pixels are read here. The preview
// across two processes is saver_preview_host.cpp's. Each renderer's preview: the software one's
// memory frame, and the GL one's picture read back from its context.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "software/memory_frame.h"
#include "state/app_state.h"
#include "windows/frame_box.h"
#include "windows/saver_preview.h"
#include "windows/wgl_display.h"

namespace {

// Wider than 4:3: the picture takes the window's own shape and size.
constexpr int kWidth = 320;
constexpr int kHeight = 200;
constexpr std::uint32_t kLitLevel = 32;  // a channel above this is lit, as the screenshots judge
constexpr std::uint32_t kColourBits = 0x00FFFFFF;  // a read-back may set the top byte
constexpr double kPlasmaLitShare = 0.2;
constexpr int kMovesWanted = 2;  // pictures that differ from the one before: the preview animates
constexpr DWORD kDeadlineMs = 60000;  // the 48 MB of geometry tables first, on a busy machine

// What the timer saw of the preview while RunPreview ran.
struct PreviewSeen {
  DWORD startTick = 0;
  int children = 0;
  RECT childRect{};   // screen coordinates
  RECT clientRect{};  // the parent's client area in screen coordinates
  double litShare = 0;
  int moves = 0;
  bool showsThePicture = false;  // the child holds the memory frame's picture, pixel for pixel
  bool classic = false;          // the run shows the classic frame (what showsThePicture means)
  bool gl = false;               // the GL renderer draws it (where the picture is to be read)
  std::vector<std::uint32_t> previous;
};

PreviewSeen seen;

BOOL CALLBACK LookAtChild(HWND child, LPARAM) {
  ++seen.children;
  GetWindowRect(child, &seen.childRect);
  return TRUE;
}

// The window's client area as 0x00RRGGBB pixels, rows top first.
std::vector<std::uint32_t> ReadClient(HWND window) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(info.bmiHeader), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ kept = SelectObject(memory, bitmap);
  HDC windowDc = GetDC(window);
  BitBlt(memory, 0, 0, kWidth, kHeight, windowDc, 0, 0, SRCCOPY);
  ReleaseDC(window, windowDc);
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(first, first + kWidth * kHeight);
  SelectObject(memory, kept);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return pixels;
}

double LitShare(const std::vector<std::uint32_t>& pixels) {
  const auto lit = std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t p) {
    return std::max({p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF}) > kLitLevel;
  });
  return static_cast<double>(lit) / static_cast<double>(pixels.size());
}

// The picture as the renderer left it after the frame last shown.
FrameView DrawnPicture() {
  return seen.gl ? WglReadBackPicture() : PictureView();
}

// Between frames the picture holds the frame last shown: the child must show exactly it, at
// the child's size.
bool ShowsThePicture(const std::vector<std::uint32_t>& pixels) {
  const FrameView picture = DrawnPicture();
  if (picture.pixels == nullptr || picture.width != kWidth || picture.height != kHeight) {
    return false;
  }
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if ((pixels[y * kWidth + x] & kColourBits) != picture.pixels[y * picture.pitch + x]) {
        return false;
      }
    }
  }
  return true;
}

// The classic frame, 800 x 600, shrunk into the child's 4:3 box: lit there (by the averaged
// picture) and black beside it.
bool ShowsTheClassicFrame(const std::vector<std::uint32_t>& pixels) {
  const FrameView picture = DrawnPicture();
  const RECT box = FitFrameBox(kWidth, kHeight);
  if (picture.width != screenWidth || picture.height != screenHeight || box.left < 1) {
    return false;
  }
  std::vector<std::uint32_t> inside;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t p = pixels[y * kWidth + x] & kColourBits;
      if (x >= box.left && x < box.right) {
        inside.push_back(p);
      } else if (p != 0) {
        return false;
      }
    }
  }
  return LitShare(inside) >= kPlasmaLitShare;
}

// Runs inside the preview's message loop: looks at the preview until it animates the plasma (or
// the deadline passes), then destroys the parent, which must end the preview.
void CALLBACK CheckPreview(HWND parent, UINT, UINT_PTR timer, DWORD now) {
  seen.children = 0;
  HWND child = GetWindow(parent, GW_CHILD);
  EnumChildWindows(parent, LookAtChild, 0);
  GetClientRect(parent, &seen.clientRect);
  MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&seen.clientRect), 2);
  if (child != nullptr) {
    std::vector<std::uint32_t> pixels = ReadClient(child);
    seen.litShare = LitShare(pixels);
    seen.showsThePicture = seen.classic ? ShowsTheClassicFrame(pixels) : ShowsThePicture(pixels);
    seen.moves += !seen.previous.empty() && pixels != seen.previous ? 1 : 0;
    seen.previous = std::move(pixels);
  }
  if ((seen.litShare >= kPlasmaLitShare && seen.moves >= kMovesWanted && seen.showsThePicture) ||
      now - seen.startTick > kDeadlineMs) {
    KillTimer(parent, timer);
    DestroyWindow(parent);
  }
}

HWND CreateParent() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "PreviewParent";
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, windowClass.lpszClassName, "preview parent", WS_POPUP | WS_VISIBLE, 100,
                         100, kWidth, kHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
}

// With the classic frame chosen, the 800 x 600 frame in the child's 4:3 box instead.
TEST(SaverPreview, FillsAChildOverTheClientAreaAtItsSizeUntilTheParentGoes) {
  const struct {
    RendererChoice renderer;
    bool classic;
  } cases[] = {{RendererChoice::Software, false},
               {RendererChoice::Software, true},
               {RendererChoice::Gl, false},
               {RendererChoice::Gl, true}};
  for (const auto& c : cases) {
    HWND parent = CreateParent();
    ASSERT_NE(parent, nullptr);
    seen = PreviewSeen{};
    seen.startTick = GetTickCount();
    seen.classic = c.classic;
    seen.gl = c.renderer == RendererChoice::Gl;
    SetTimer(parent, 1, 100, CheckPreview);
    SaverSettings settings;
    settings.run.classic = c.classic;
    settings.renderer = c.renderer;

    EXPECT_EQ(RunPreview(GetModuleHandleA(nullptr), parent, settings), 0);
    EXPECT_FALSE(IsWindow(parent));
    ASSERT_EQ(seen.children, 1);
    EXPECT_TRUE(EqualRect(&seen.childRect, &seen.clientRect));
    EXPECT_GE(seen.litShare, kPlasmaLitShare);
    EXPECT_GE(seen.moves, kMovesWanted);
    EXPECT_TRUE(seen.showsThePicture)
        << (c.classic ? "the classic frame in the child's 4:3 box, black beside it"
                      : "the picture, at the child's size, fills it")
        << (seen.gl ? ", GL renderer" : ", software renderer");
  }
}

TEST(SaverPreview, EndsAtOnceWithoutAWindow) {
  HWND gone = CreateParent();
  DestroyWindow(gone);
  for (HWND parent : {static_cast<HWND>(nullptr), gone}) {
    EXPECT_EQ(RunPreview(GetModuleHandleA(nullptr), parent, SaverSettings{}), 0);
  }
}

}  // namespace
