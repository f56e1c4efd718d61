// Where the screen saver's picture goes on a desktop of one or more monitors.
#include <windows.h>

#include <gtest/gtest.h>

#include "windows/saver_run.h"

namespace {

struct Case {
  RECT virtualScreen;
  LONG primaryWidth;
  LONG primaryHeight;
  RECT picture;  // in the pop-up's client coordinates
};

TEST(SaverRun, PictureFillsThePrimaryMonitor) {
  const Case cases[] = {
      {{0, 0, 800, 600}, 800, 600, {0, 0, 800, 600}},
      {{0, 0, 1920, 1080}, 1920, 1080, {0, 0, 1920, 1080}},
      // A second monitor left of and above the primary one moves the primary into the pop-up.
      {{-1280, -200, 1600, 1200}, 1600, 1200, {1280, 200, 2880, 1400}},
      // One right of it leaves the origin where it is.
      {{0, 0, 3840, 1080}, 1920, 1080, {0, 0, 1920, 1080}},
  };
  for (const Case& c : cases) {
    const RECT picture =
        PrimaryMonitorOnVirtualScreen(c.virtualScreen, c.primaryWidth, c.primaryHeight);
    EXPECT_TRUE(EqualRect(&picture, &c.picture))
        << c.primaryWidth << " x " << c.primaryHeight << ": " << picture.left << ", " << picture.top
        << ", " << picture.right << ", " << picture.bottom;
  }
}

}  // namespace
