// The preview's code drawing into a window that the test made, in this process: Wine does not
// show what one process draws into another's window, so the pixels are read here. The preview
// across two processes is saver_preview_host.cpp's.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "windows/saver_preview.h"

namespace {

// Wider than 4:3, so that the picture (266 or 267 x 200, centred) leaves black columns at both
// sides: columns 0 ... 19 and 300 ... 319 are outside it, 40 ... 279 inside.
constexpr int kClientWidth = 320;
constexpr int kClientHeight = 200;
constexpr int kOutsideColumns = 20;
constexpr int kInsideLeft = 40;
constexpr int kInsideRight = 280;
constexpr std::uint32_t kLitLevel = 32;  // a channel above this is lit, as the screenshots judge
constexpr double kPlasmaLitShare = 0.2;
constexpr int kMovesWanted = 2;  // pictures that differ from the one before: the preview animates
constexpr UINT kCheckPeriodMs = 100;
constexpr DWORD kDeadlineMs = 60000;  // the 48 MB of geometry tables first, on a busy machine

// What the timer saw of the preview while RunPreview ran.
struct PreviewSeen {
  DWORD startTick = 0;
  std::vector<HWND> children;
  RECT childRect{};   // screen coordinates
  RECT clientRect{};  // the parent's client area in screen coordinates
  double litShareInside = 0;
  std::uint32_t brightestOutside = 0;
  int moves = 0;
  std::vector<std::uint32_t> previous;
};

PreviewSeen seen;

BOOL CALLBACK CollectChild(HWND child, LPARAM) {
  seen.children.push_back(child);
  return TRUE;
}

RECT ClientRectOnScreen(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The window's client area as 0x00RRGGBB pixels, rows top first.
std::vector<std::uint32_t> ReadClient(HWND window) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kClientWidth;
  info.bmiHeader.biHeight = -kClientHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ kept = SelectObject(memory, bitmap);
  HDC windowDc = GetDC(window);
  BitBlt(memory, 0, 0, kClientWidth, kClientHeight, windowDc, 0, 0, SRCCOPY);
  ReleaseDC(window, windowDc);
  GdiFlush();
  const auto* first = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(first, first + kClientWidth * kClientHeight);
  SelectObject(memory, kept);
  DeleteDC(memory);
  DeleteObject(bitmap);
  for (std::uint32_t& pixel : pixels) {
    pixel &= 0x00FFFFFF;
  }
  return pixels;
}

std::uint32_t Brightest(std::uint32_t pixel) {
  return std::max({pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF});
}

void Judge(const std::vector<std::uint32_t>& pixels) {
  int lit = 0;
  seen.brightestOutside = 0;
  for (int y = 0; y < kClientHeight; ++y) {
    for (int x = 0; x < kClientWidth; ++x) {
      const std::uint32_t brightest = Brightest(pixels[y * kClientWidth + x]);
      if (x < kOutsideColumns || x >= kClientWidth - kOutsideColumns) {
        seen.brightestOutside = std::max(seen.brightestOutside, brightest);
      } else if (x >= kInsideLeft && x < kInsideRight && brightest > kLitLevel) {
        ++lit;
      }
    }
  }
  seen.litShareInside = static_cast<double>(lit) / ((kInsideRight - kInsideLeft) * kClientHeight);
}

// Runs inside the preview's message loop: looks at the preview until it animates the plasma (or
// the deadline passes), then destroys the parent, which must end the preview.
void CALLBACK CheckPreview(HWND parent, UINT, UINT_PTR timer, DWORD now) {
  seen.children.clear();
  EnumChildWindows(parent, CollectChild, 0);
  if (seen.children.size() == 1) {
    GetWindowRect(seen.children[0], &seen.childRect);
    seen.clientRect = ClientRectOnScreen(parent);
    std::vector<std::uint32_t> pixels = ReadClient(seen.children[0]);
    Judge(pixels);
    if (!seen.previous.empty() && pixels != seen.previous) {
      ++seen.moves;
    }
    seen.previous = std::move(pixels);
  }
  const bool animating = seen.litShareInside >= kPlasmaLitShare && seen.moves >= kMovesWanted;
  if (animating || now - seen.startTick > kDeadlineMs) {
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
                         100, kClientWidth, kClientHeight, nullptr, nullptr, windowClass.hInstance,
                         nullptr);
}

TEST(SaverPreview, DrawsThePlasmaInAChildCoveringTheClientAreaUntilTheParentGoes) {
  HWND parent = CreateParent();
  ASSERT_NE(parent, nullptr);
  seen = PreviewSeen{};
  seen.startTick = GetTickCount();
  SetTimer(parent, 1, kCheckPeriodMs, CheckPreview);

  EXPECT_EQ(RunPreview(GetModuleHandleA(nullptr), parent), 0);
  EXPECT_FALSE(IsWindow(parent));
  ASSERT_EQ(seen.children.size(), 1u);
  EXPECT_TRUE(EqualRect(&seen.childRect, &seen.clientRect));
  EXPECT_GE(seen.litShareInside, kPlasmaLitShare);
  EXPECT_GE(seen.moves, kMovesWanted);
  EXPECT_EQ(seen.brightestOutside, 0u) << "the sides of a wide window stay black";
}

TEST(SaverPreview, EndsAtOnceWithoutAWindow) {
  HWND gone = CreateParent();
  DestroyWindow(gone);
  for (HWND parent : {static_cast<HWND>(nullptr), gone}) {
    EXPECT_EQ(RunPreview(GetModuleHandleA(nullptr), parent), 0);
  }
}

}  // namespace
