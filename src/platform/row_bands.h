// Platform boundary: the processor's cores for work over the rows of pictures.
//
// A run keeps a crew of threads for it: started once with the run, parked between jobs, stopped
// and joined at its end. The thread that posts a job is one of the crew and works on it too. Jobs
// come from one thread at a time and never from inside a job's work. Where the platform has no
// threads (the page) every band is done on the caller.
#pragma once

#include <cstdint>
#include <functional>

// More threads than this gain nothing on a picture of 4K or less: each band would be too thin.
constexpr std::int32_t kMostRowThreads = 8;

// Work on rows firstRow ... endRow - 1 that reads and writes only what those rows own.
using RowWork = std::function<void(std::int32_t firstRow, std::int32_t endRow)>;

// One picture's part of a job: its rows 0 ... rows - 1 and the work on them.
struct RowPart {
  std::int32_t rows;
  RowWork work;
};

// The crew a run starts with: the processor's cores, at most kMostRowThreads (1 on the page).
std::int32_t ProcessorRowThreads();

// Starts a crew of `threads` threads in all, the caller counted (clamped to 1 ...
// kMostRowThreads); a crew already there is stopped first. A thread that cannot be had leaves the
// crew smaller, never the pictures different.
void StartRowCrew(std::int32_t threads);

// Stops the crew and joins its threads; harmless when there is none.
void StopRowCrew();

// Runs every part's work over all of its rows, each part split into bands that the crew and the
// caller run side by side, and returns when every band is done. Every row lies in exactly one
// band, so the result is the same for any crew. Without a crew the caller does every band.
void ForRowBands(const RowPart* parts, std::int32_t partCount);

// The one-part job: `work` over rows 0 ... rows - 1.
void ForRowBands(std::int32_t rows, const RowWork& work);
