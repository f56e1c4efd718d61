// The rows of pictures split among the processor's cores by a crew of threads that lives as long
// as the run, for the programs that have threads (the desktop program and the Windows programs;
// the page keeps to its one thread).
//
// A job is posted under the lock and its bands are handed out one at a time from a cursor, also
// under the lock; only the work itself runs outside it. A member that wakes after the last band
// was taken finds none and parks again, so no member can reach a job that has returned.
#include "platform/row_bands.h"

#include <algorithm>
#include <cassert>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Below this many rows a band is not worth a thread of its own.
constexpr std::int32_t kRowsWorthAThread = 64;

// One band of a job: rows first ... end - 1 of one part.
struct Band {
  const RowWork* work;
  std::int32_t first;
  std::int32_t end;
};

// The crew and the job it works on.
struct RowCrew {
  std::vector<std::thread> members;  // the threads besides the caller; empty without a crew
  std::mutex lock;                   // guards every field below
  std::condition_variable posted;    // a job has bands to take, or the crew is to stop
  std::condition_variable finished;  // the job's last band is done
  std::int32_t threads = 1;          // the crew's size, the caller counted
  bool stopping = false;             // members leave at once
  const RowPart* parts = nullptr;    // the job's parts; null between jobs
  std::int32_t partCount = 0;
  std::int32_t nextPart = 0;   // the cursor: the part and band taken next
  std::int32_t nextBand = 0;   // (nextPart == partCount when every band is taken)
  std::int32_t bandsLeft = 0;  // bands of the job not done yet

  ~RowCrew();  // a program that ends without ending its run still joins its threads
};

RowCrew crew;

std::int32_t BandCount(std::int32_t rows, std::int32_t threads) {
  return std::max(1, std::min(threads, rows / kRowsWorthAThread));
}

// Band b of `bands` starts at this row; the last band ends at `rows`.
std::int32_t BandStart(std::int32_t rows, std::int32_t b, std::int32_t bands) {
  return static_cast<std::int32_t>(std::int64_t{rows} * b / bands);
}

// Under the lock: the job's next band, and the cursor moved past it. False when none is left.
bool TakeBand(Band& band) {
  if (crew.nextPart == crew.partCount) {
    return false;
  }
  const RowPart& part = crew.parts[crew.nextPart];
  const std::int32_t bands = BandCount(part.rows, crew.threads);
  band = {&part.work, BandStart(part.rows, crew.nextBand, bands),
          BandStart(part.rows, crew.nextBand + 1, bands)};
  if (++crew.nextBand == bands) {
    crew.nextBand = 0;
    ++crew.nextPart;
  }
  return true;
}

// Runs bands until none is left to take; called and left with the lock held.
void RunBands(std::unique_lock<std::mutex>& hold) {
  Band band;
  while (TakeBand(band)) {
    hold.unlock();
    (*band.work)(band.first, band.end);
    hold.lock();
    if (--crew.bandsLeft == 0) {
      crew.finished.notify_one();
    }
  }
}

// A member's life: parked until a job has bands, then working on them, until the crew stops.
void ServeCrew() {
  std::unique_lock<std::mutex> hold(crew.lock);
  while (!crew.stopping) {
    RunBands(hold);
    crew.posted.wait(hold, [] { return crew.stopping || crew.nextPart < crew.partCount; });
  }
}

void Disband(RowCrew& team) {
  {
    const std::lock_guard<std::mutex> hold(team.lock);
    team.stopping = true;
  }
  team.posted.notify_all();
  for (std::thread& member : team.members) {
    member.join();
  }
  team.members.clear();
  const std::lock_guard<std::mutex> hold(team.lock);
  team.stopping = false;
  team.threads = 1;
}

RowCrew::~RowCrew() {
  Disband(*this);
}

}  // namespace

std::int32_t ProcessorRowThreads() {
  const auto cores = static_cast<std::int32_t>(std::thread::hardware_concurrency());
  return std::clamp(cores, 1, kMostRowThreads);  // 0 where the count is not known
}

void StartRowCrew(std::int32_t threads) {
  Disband(crew);
  const std::int32_t wanted = std::clamp(threads, 1, kMostRowThreads);
  crew.members.reserve(static_cast<std::size_t>(wanted - 1));
  for (std::int32_t i = 1; i < wanted; ++i) {
    try {
      crew.members.emplace_back(ServeCrew);
    } catch (const std::system_error&) {
      break;  // no more threads to be had: a smaller crew
    }
  }
  const std::lock_guard<std::mutex> hold(crew.lock);
  crew.threads = static_cast<std::int32_t>(crew.members.size()) + 1;
}

void StopRowCrew() {
  Disband(crew);
}

void ForRowBands(const RowPart* parts, std::int32_t partCount) {
  std::unique_lock<std::mutex> hold(crew.lock);
  assert(crew.parts == nullptr);  // one job at a time, never one from inside another
  crew.parts = parts;
  crew.partCount = partCount;
  crew.nextPart = 0;
  crew.nextBand = 0;
  crew.bandsLeft = 0;
  for (std::int32_t i = 0; i < partCount; ++i) {
    crew.bandsLeft += BandCount(parts[i].rows, crew.threads);
  }
  if (!crew.members.empty()) {
    crew.posted.notify_all();
  }
  RunBands(hold);
  crew.finished.wait(hold, [] { return crew.bandsLeft == 0; });
  crew.parts = nullptr;
  crew.partCount = 0;
  crew.nextPart = 0;
}

void ForRowBands(std::int32_t rows, const RowWork& work) {
  const RowPart part{rows, work};
  ForRowBands(&part, 1);
}
