#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "app/frame_driver.h"
#include "app/run.h"
#include "doubles/doubles.h"
#include "doubles/test_scene.h"
#include "plasma/model_selection.h"
#include "platform/row_bands.h"
#include "software/software_renderer.h"
#include "state/app_state.h"

namespace {

constexpr std::int32_t kCrews[] = {1, 2, 3, 8};
constexpr std::int32_t kRows = 600;  // 8 bands for a crew of 8

// Waits for an effect of other threads; false if it has not come after a long while.
bool WaitFor(const std::function<bool()>& effect) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!effect() && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::yield();
  }
  return effect();
}

std::ptrdiff_t ThreadsOfThisProcess() {
  const std::filesystem::directory_iterator tasks("/proc/self/task");
  return std::distance(begin(tasks), end(tasks));
}

// Parts of no rows, fewer than a band is worth, one band's worth and many bands': every row of
// every part is worked on exactly once; and each band waits until every thread of the crew has
// taken one, so the job ends at once only if the whole crew works on it side by side.
TEST(RowCrew, EveryRowLiesInOneBandAndEveryMemberWorks) {
  const std::vector<std::int32_t> partRows = {0, 1, 63, 64, 130, 533, kRows};
  for (const std::int32_t threads : kCrews) {
    StartRowCrew(threads);
    std::mutex lock;
    std::set<std::thread::id> workers;
    const auto workerCount = [&] {
      const std::lock_guard<std::mutex> hold(lock);
      return static_cast<std::int32_t>(workers.size());
    };
    std::vector<std::vector<std::atomic<std::int32_t>>> visits;
    for (const std::int32_t rows : partRows) {
      visits.emplace_back(static_cast<std::size_t>(rows));
    }
    std::vector<RowPart> parts;
    for (auto& rowVisits : visits) {
      parts.push_back(
          {static_cast<std::int32_t>(rowVisits.size()), [&](std::int32_t first, std::int32_t end) {
             for (std::int32_t row = first; row < end; ++row) {
               ++rowVisits[static_cast<std::size_t>(row)];
             }
             {
               const std::lock_guard<std::mutex> hold(lock);
               workers.insert(std::this_thread::get_id());
             }
             WaitFor([&] { return workerCount() == threads; });
           }});
    }
    ForRowBands(parts.data(), static_cast<std::int32_t>(parts.size()));
    EXPECT_EQ(workerCount(), threads);
    for (std::size_t p = 0; p < visits.size(); ++p) {
      for (std::size_t row = 0; row < visits[p].size(); ++row) {
        ASSERT_EQ(visits[p][row], 1) << "crew " << threads << " part " << p << " row " << row;
      }
    }
  }
  StopRowCrew();
}

// A whole picture of an odd size in a model with a drifting term, its field made and composed by
// the frame driver: the same bytes from every crew.
TEST(RowCrew, GivesTheSamePictureForEveryCrewSize) {
  constexpr std::int32_t kWidth = 201;
  constexpr std::int32_t kHeight = 533;  // 8 bands of 66 or 67 rows
  std::vector<std::uint32_t> firstPicture;
  std::vector<std::int32_t> firstField;
  for (const std::int32_t threads : kCrews) {
    doubles::PrepareTestScene();
    SelectModel(12);
    doubles::display.picture.assign(kWidth * kHeight, 0xDEADBEEFu);
    doubles::display.pictureWidth = kWidth;
    doubles::display.pictureHeight = kHeight;
    app.started = 1;
    app.consoleOffset = 50;
    StartRowCrew(threads);
    RunFrame();
    const ScaledPicture& made = app.fields[app.frame.pictures[0].fieldIndex];
    const std::vector<std::int32_t> field(made.Index, made.Index + kWidth * kHeight);
    if (firstPicture.empty()) {
      firstPicture = doubles::display.picture;
      firstField = field;
    }
    EXPECT_TRUE(doubles::display.picture == firstPicture && field == firstField) << threads;
  }
  StopRowCrew();
  doubles::display.picture.clear();
}

// A thousand runs, each with a crew of its own size (a second start stops the run's first crew)
// given a job: no thread is left behind, and ASan's leak check at exit finds nothing.
TEST(RowCrew, AThousandRunsLeaveNoThreadBehind) {
  EndRun();  // the test scene's buffers are given back first
  StopRowCrew();
  const std::ptrdiff_t threads = ThreadsOfThisProcess();
  std::atomic<std::int32_t> rowsDone{0};
  for (std::int32_t run = 0; run < 1000; ++run) {
    ASSERT_TRUE(StartRun(static_cast<std::uint32_t>(run), RunOpening::Visuals, RunSettings{},
                         SoftwareRenderer()));
    StartRowCrew(run % kMostRowThreads + 1);
    ForRowBands(kRows, [&](std::int32_t first, std::int32_t end) { rowsDone += end - first; });
    EndRun();
  }
  StopRowCrew();  // harmless without a crew
  EXPECT_EQ(rowsDone, 1000 * kRows);
  // A thread that was dying as the count began may have left since: at most as many.
  EXPECT_TRUE(WaitFor([&] { return ThreadsOfThisProcess() <= threads; }));
}

}  // namespace
