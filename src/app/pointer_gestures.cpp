#include "app/pointer_gestures.h"

#include <cmath>

#include "app/frame_driver.h"
#include "app/key_commands.h"
#include "app/run.h"
#include "state/app_state.h"
#include "ui/console_panel.h"
#include "ui/console_slide.h"

namespace {

constexpr std::int32_t kNoPointer = -1;

PointerCommand KeyCommand(std::uint32_t virtualKey) {
  return {PointerCommandKind::Key, virtualKey};
}

std::int32_t TrackOf(std::int32_t id) {
  for (std::int32_t i = 0; i < kGesturePointers; ++i) {
    const PointerTrack& track = app.gesture.pointers[i];
    if (track.down && track.id == id) {
      return i;
    }
  }
  return kNoPointer;
}

// The console control under (x, y) in picture 0's pixels: the console's band is the layer as the
// frame lays it out, centred across and lying on the picture's bottom rows.
ConsoleControl ControlAt(double x, double y) {
  const PictureDescription& picture = app.frame.pictures[0];
  const LayerLayout& layout = app.frame.layer;
  if (app.started == 0 || app.consoleOffset == 0 || picture.size.width <= 0 ||
      picture.size.height <= 0) {
    return {};
  }
  const double column =
      std::floor((x - picture.size.width / 2.0) / layout.scale + layout.width / 2.0);
  const double row = std::floor((y - picture.bandTop) / layout.scale);
  if (y < picture.bandTop || y >= picture.size.height || column < 0 || column >= layout.width) {
    return {};
  }
  return ConsoleControlAt(static_cast<std::int32_t>(column), static_cast<std::int32_t>(row));
}

PointerCommand ControlCommand(const ConsoleControl& control) {
  switch (control.kind) {
    case ConsoleControlKind::ModelButton:
      return {PointerCommandKind::Model, static_cast<std::uint32_t>(control.model)};
    case ConsoleControlKind::PlayMode:
      return KeyCommand(kKeyQ);
    case ConsoleControlKind::ColourRing:
      return KeyCommand(kKeyZ);
    case ConsoleControlKind::None:
      break;
  }
  return {};
}

// A tap that ended at (x, y) at `tick`, one finger.
PointerCommand Tap(double x, double y, std::uint32_t tick, double pixelsPerPoint) {
  GestureState& gesture = app.gesture;
  if (gesture.tapWaits && tick - gesture.tapTick <= kDoubleTapMs &&
      std::hypot(x - gesture.tapX, y - gesture.tapY) / pixelsPerPoint <= kDoubleTapSlopPt) {
    gesture.tapWaits = false;
    return {PointerCommandKind::FullScreen, 0};
  }
  gesture.tapWaits = true;
  gesture.tapTick = tick;
  gesture.tapX = x;
  gesture.tapY = y;
  if (app.started == 0) {
    return {PointerCommandKind::Start, 0};
  }
  const PointerCommand command = ControlCommand(ControlAt(x, y));
  return command.kind != PointerCommandKind::None
             ? command
             : PointerCommand{PointerCommandKind::ShowControls};
}

// One finger lifted after `ms`, `dx` and `dy` points from where it went down.
PointerCommand Swipe(double dx, double dy, std::uint32_t ms) {
  const double across = std::fabs(dx);
  const double down = std::fabs(dy);
  if (ms > kSwipeMs) {
    return {};
  }
  if (across >= kSwipePt && across >= 2 * down) {
    return KeyCommand(dx < 0 ? kKeyRight : kKeyLeft);
  }
  if (down >= kSwipePt && down >= 2 * across && (dy < 0) != ConsoleComesIn()) {
    return KeyCommand(kKeyTab);
  }
  return {};
}

// The command of the gesture whose last pointer went up at `event`.
PointerCommand FinishGesture(const PointerEvent& event, double pixelsPerPoint) {
  GestureState& gesture = app.gesture;
  const std::uint32_t ms = event.tick - gesture.startTick;
  const PointerTrack& first = gesture.pointers[0];
  const PointerTrack& second = gesture.pointers[1];
  const bool tap = !gesture.spoilt && gesture.mostDown == 1 && first.farthestPt < kTapSlopPt &&
                   ms < kLongPressMs;
  if (tap) {
    return Tap(first.x, first.y, event.tick, pixelsPerPoint);
  }
  gesture.tapWaits = false;
  if (gesture.spoilt) {
    return {};
  }
  if (gesture.mostDown == kGesturePointers) {
    const bool still = first.farthestPt < kTapSlopPt && second.farthestPt < kTapSlopPt;
    return still && ms < kLongPressMs ? KeyCommand(kKeyA) : PointerCommand{};
  }
  if (first.farthestPt < kTapSlopPt) {
    return KeyCommand(kKeyZ);  // held still: a long press
  }
  return Swipe((first.x - first.startX) / pixelsPerPoint, (first.y - first.startY) / pixelsPerPoint,
               ms);
}

}  // namespace

PointerCommand ReadPointer(const PointerEvent& event, double pixelsPerPoint) {
  GestureState& gesture = app.gesture;
  const std::int32_t at = TrackOf(event.id);
  if (event.phase == PointerPhase::Down) {
    if (at != kNoPointer) {
      return {};  // down twice: the platform lost the pointer's end
    }
    if (gesture.mostDown == 0) {
      gesture.spoilt = false;
      gesture.startTick = event.tick;
    }
    if (gesture.mostDown == kGesturePointers) {
      gesture.spoilt = true;  // a third pointer, or a second one again
      return {};
    }
    gesture.pointers[gesture.mostDown] =
        PointerTrack{event.id, true, event.x, event.y, event.x, event.y, 0};
    ++gesture.mostDown;
    return {};
  }
  if (at == kNoPointer) {
    return {};
  }
  PointerTrack& track = gesture.pointers[at];
  track.x = event.x;
  track.y = event.y;
  const double travel = std::hypot(track.x - track.startX, track.y - track.startY) / pixelsPerPoint;
  track.farthestPt = std::fmax(track.farthestPt, travel);
  if (event.phase == PointerPhase::Move) {
    return {};
  }
  track.down = false;
  gesture.spoilt = gesture.spoilt || event.phase == PointerPhase::Cancel;
  if (gesture.pointers[0].down || gesture.pointers[1].down) {
    return {};
  }
  const PointerCommand command = FinishGesture(event, pixelsPerPoint);
  gesture.mostDown = 0;
  return command;
}

PointerCommand ReadClick(double x, double y) {
  const PointerCommand command = ControlCommand(ControlAt(x, y));
  return command.kind != PointerCommandKind::None ? command
                                                  : PointerCommand{PointerCommandKind::Start};
}

PointerCommand RunPointerCommand(PointerCommand command) {
  switch (command.kind) {
    case PointerCommandKind::Start:
      PostClick();
      return {};
    case PointerCommandKind::Key:
      PostKey(command.value);
      return {};
    case PointerCommandKind::Model:
      if (app.sceneReady) {
        SwitchModel(static_cast<std::int32_t>(command.value));
      }
      return {};
    case PointerCommandKind::None:
    case PointerCommandKind::ShowControls:
    case PointerCommandKind::FullScreen:
      break;
  }
  return command;
}
