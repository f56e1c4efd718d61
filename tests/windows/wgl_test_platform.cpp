#include "wgl_test_platform.h"

#include "platform/clock.h"
#include "platform/display.h"
#include "software/memory_frame.h"

namespace {

std::uint32_t ticks = 0;
FrameView shown;

}  // namespace

void SetTestTicks(std::uint32_t tick) {
  ticks = tick;
}

FrameView ShownSoftwarePicture() {
  return shown;
}

std::uint32_t GetTicks() {
  return ticks;
}

// No pass is paced: the test runs each one itself.
std::uint64_t GetMicroseconds() {
  return 0;
}

DisplayCheck BeginFrame() {
  return DisplayCheck::Ready;
}

bool DisplayPacesFrames() {
  return false;
}

void FinishFrame(const FrameDescription& frame) {
  shown = FinishMemoryFrame(frame);
}
