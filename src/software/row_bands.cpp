// The rows of a picture split among the processor's cores, for the programs that have threads (the
// desktop program and the Windows screen saver; the page keeps to its one thread).
#include "platform/row_bands.h"

#include <algorithm>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// More threads than this gain nothing on a picture of 4K or less: each band would be too thin
// to pay for its thread's start.
constexpr unsigned kMostBands = 8;
// Below this many rows a picture is done on the calling thread.
constexpr std::int32_t kRowsWorthAThread = 64;

}  // namespace

void ForRowBands(std::int32_t rows, const RowWork& work) {
  const unsigned cores = std::max(1u, std::min(std::thread::hardware_concurrency(), kMostBands));
  const auto bands = static_cast<std::int32_t>(
      std::max(1u, std::min(cores, static_cast<unsigned>(rows / kRowsWorthAThread))));
  std::vector<std::thread> helpers;
  helpers.reserve(static_cast<std::size_t>(bands - 1));
  // Band b holds rows rows * b / bands ... rows * (b + 1) / bands - 1; the caller takes band 0.
  for (std::int32_t b = 1; b < bands; ++b) {
    const auto first = static_cast<std::int32_t>(std::int64_t{rows} * b / bands);
    const auto end = static_cast<std::int32_t>(std::int64_t{rows} * (b + 1) / bands);
    try {
      helpers.emplace_back(std::cref(work), first, end);
    } catch (const std::system_error&) {
      work(first, end);  // no thread to be had: the band is done here, the picture the same
    }
  }
  work(0, static_cast<std::int32_t>(rows / bands));
  for (std::thread& helper : helpers) {
    helper.join();
  }
}
