// Where the screen saver's pictures go on a desktop of one or more monitors.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "windows/saver_run.h"

namespace {

std::string Shown(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

struct Case {
  RECT virtualScreen;
  std::vector<Monitor> monitors;  // as Windows lists them
  std::vector<RECT> areas;        // in the pop-up's client coordinates, the primary first
};

TEST(SaverRun, EachMonitorGetsItsPictureThePrimaryFirst) {
  const Case cases[] = {
      {{0, 0, 800, 600}, {{{0, 0, 800, 600}, true}}, {{0, 0, 800, 600}}},
      {{0, 0, 1920, 1080}, {{{0, 0, 1920, 1080}, true}}, {{0, 0, 1920, 1080}}},
      // A second monitor left of and above the primary one moves the primary into the pop-up.
      {{-1280, -200, 1600, 1200},
       {{{-1280, -200, 0, 824}, false}, {{0, 0, 1600, 1200}, true}},
       {{1280, 200, 2880, 1400}, {0, 0, 1280, 1024}}},
      // One right of it leaves the origin where it is.
      {{0, 0, 3200, 1080},
       {{{0, 0, 1920, 1080}, true}, {{1920, 0, 3200, 1024}, false}},
       {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}}},
      // Three: one above, one left of the primary.
      {{-1024, -768, 1920, 1080},
       {{{0, -768, 1024, 0}, false}, {{-1024, 0, 0, 768}, false}, {{0, 0, 1920, 1080}, true}},
       {{1024, 768, 2944, 1848}, {1024, 0, 2048, 768}, {0, 768, 1024, 1536}}},
  };
  for (const Case& c : cases) {
    const MonitorAreas areas = ArrangeMonitors(c.virtualScreen, c.monitors.data(),
                                               static_cast<std::int32_t>(c.monitors.size()));
    ASSERT_EQ(areas.count, static_cast<std::int32_t>(c.areas.size()));
    for (std::size_t i = 0; i < c.areas.size(); ++i) {
      EXPECT_EQ(Shown(areas.area[i]), Shown(c.areas[i])) << "area " << i;
    }
  }
}

// Past kMostPictures the monitors stay black, but the primary one is never left out.
TEST(SaverRun, MonitorsPastTheMostPicturesAreLeftOut) {
  std::vector<Monitor> monitors;
  for (LONG i = 0; i <= kMostPictures; ++i) {
    monitors.push_back({{i * 100, 0, i * 100 + 100, 100}, i == kMostPictures});
  }
  const RECT screen{0, 0, (kMostPictures + 1) * 100, 100};
  const MonitorAreas areas =
      ArrangeMonitors(screen, monitors.data(), static_cast<std::int32_t>(monitors.size()));
  ASSERT_EQ(areas.count, kMostPictures);
  EXPECT_EQ(Shown(areas.area[0]), Shown(monitors.back().rect));
  EXPECT_EQ(Shown(areas.area[kMostPictures - 1]), Shown(monitors[kMostPictures - 2].rect));
}

}  // namespace
