#include "fuzz/loop_events.h"

#include "state/app_state.h"

namespace {

// First byte of each event's range (see the table in the header).
constexpr std::uint8_t kFirstKeys = 0x80;
constexpr std::uint8_t kFirstClick = 0x90;
constexpr std::uint8_t kFirstStall = 0x98;
constexpr std::uint8_t kLongFrame = 0x9C;
constexpr std::uint8_t kFirstAbsence = 0x9D;
constexpr std::uint8_t kFirstRefusedLock = 0xA5;
constexpr std::uint8_t kFirstPitch = 0xAD;
constexpr std::uint8_t kTickWrap = 0xB1;
constexpr std::uint8_t kFirstSteadyFrame = 0xB2;

constexpr std::uint32_t kEscapeKey = 0x1B;
constexpr std::uint32_t kStallUnitMs = 40;
constexpr std::uint32_t kLongestFrameMs = 70000;
constexpr std::uint32_t kLongFrameSteps = 0xFFFF;  // two argument bytes
constexpr std::uint32_t kSteadyFrameMs = 16;

bool ReadByte(LoopEventReader& reader, std::uint32_t& value) {
  if (reader.next >= reader.size) {
    return false;
  }
  value = reader.data[reader.next++];
  return true;
}

}  // namespace

bool NextLoopEvent(LoopEventReader& reader, LoopEvent& event) {
  std::uint32_t b = 0;
  if (!ReadByte(reader, b)) {
    return false;
  }
  event = {LoopEventKind::Frame, 0, 1};
  std::uint32_t arg = 0;
  if (b < kFirstKeys) {
    event.value = b;
    return true;
  }
  if (b < kFirstClick) {
    event.count = b - kFirstKeys + 1;
    if (!ReadByte(reader, event.value)) {
      return false;
    }
    event.kind = event.value == kEscapeKey ? LoopEventKind::Escape : LoopEventKind::Keys;
    return true;
  }
  if (b < kFirstStall) {
    event.kind = LoopEventKind::Click;
    return true;
  }
  if (b < kLongFrame) {
    if (!ReadByte(reader, arg)) {
      return false;
    }
    event.value = arg * kStallUnitMs;
    return true;
  }
  if (b < kFirstAbsence) {
    std::uint32_t high = 0;
    if (!ReadByte(reader, arg) || !ReadByte(reader, high)) {
      return false;
    }
    const std::uint64_t steps = high << 8 | arg;
    event.value = static_cast<std::uint32_t>(steps * kLongestFrameMs / kLongFrameSteps);
    return true;
  }
  if (b < kFirstRefusedLock) {
    event.kind = LoopEventKind::Absence;
    if (!ReadByte(reader, arg) || !ReadByte(reader, event.value)) {
      return false;
    }
    event.count = arg + 1;
    return true;
  }
  if (b < kFirstPitch) {
    event.kind = LoopEventKind::RefusedLock;
    return ReadByte(reader, event.value);
  }
  if (b < kTickWrap) {
    event.kind = LoopEventKind::Pitch;
    if (!ReadByte(reader, arg)) {
      return false;
    }
    event.value = static_cast<std::uint32_t>(screenWidth) + arg;
    return true;
  }
  if (b < kFirstSteadyFrame) {
    event.kind = LoopEventKind::TickWrap;
    return ReadByte(reader, event.value);
  }
  static_assert(kLongFrame + 1 == kFirstAbsence && kTickWrap + 1 == kFirstSteadyFrame,
                "one byte value each for the long frame and the tick wrap");
  event.value = kSteadyFrameMs;
  return true;
}
