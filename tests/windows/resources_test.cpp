// The program's bitmap resources, linked into this test executable from res/chromaflux.rc.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/logo_surfaces.h"

namespace {

void ExpectBitmap(WORD resource, LONG width, LONG height) {
  // Loaded the way start-up loads it.
  HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
  ASSERT_NE(bitmap, nullptr) << "bitmap resource " << resource;
  BITMAP info{};
  ASSERT_EQ(GetObjectA(bitmap, sizeof(info), &info), static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmWidth, width);
  EXPECT_EQ(info.bmHeight, height);
  DeleteObject(bitmap);

  // As stored: a DIB section keeps the resource's own depth.
  bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(bitmap, nullptr);
  ASSERT_EQ(GetObjectA(bitmap, sizeof(info), &info), static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmBitsPixel, 24);
  DeleteObject(bitmap);
}

TEST(Resources, LogoBitmapsHaveTheConsoleSizes) {
  ExpectBitmap(106, kLargeLogoWidth, kLargeLogoHeight);
  ExpectBitmap(107, kSmallLogoWidth, kSmallLogoHeight);
}

}  // namespace
