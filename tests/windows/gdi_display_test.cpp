// The GDI presenter's display check on a window of the test's own: frames are skipped while the
// window is minimised or hidden, and the run ends once the window is gone or the display closed.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/display.h"
#include "windows/gdi_display.h"

namespace {

TEST(GdiDisplay, CheckFollowsTheWindow) {
  HWND window = CreateWindowExA(0, "STATIC", "gdi display", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  const RECT area{0, 0, 200, 150};
  OpenGdiDisplay(window, &area, 1);
  const struct {
    int showCommand;
    DisplayCheck check;
  } steps[] = {
      {SW_SHOW, DisplayCheck::Ready},    {SW_MINIMIZE, DisplayCheck::NotExclusive},
      {SW_RESTORE, DisplayCheck::Ready}, {SW_HIDE, DisplayCheck::NotExclusive},
      {SW_SHOW, DisplayCheck::Ready},
  };
  for (const auto& step : steps) {
    ShowWindow(window, step.showCommand);
    EXPECT_EQ(BeginFrame(), step.check) << "after ShowWindow " << step.showCommand;
  }
  CloseGdiDisplay();
  EXPECT_EQ(BeginFrame(), DisplayCheck::Failed) << "closed";
  OpenGdiDisplay(window, &area, 1);
  DestroyWindow(window);
  EXPECT_EQ(BeginFrame(), DisplayCheck::Failed) << "the window is gone";
  CloseGdiDisplay();
}

}  // namespace
