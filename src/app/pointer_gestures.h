// Touch and pointer input: one reader, fed by every platform's pointer events (fingers, a pen),
// turns gestures into the program's commands, so that a run driven by taps is the run its keys
// would drive. Distances are in points (CSS pixels, 1/96 inch), so that gestures feel the same on
// every screen; the platform says how many picture pixels make a point.
//
//  - a tap (lifted within kTapSlopPt of where it went down, sooner than kLongPressMs): on the
//    intro page the visuals start, as the left button does; on a console control its command
//    (a model button: that model; the play mode not chosen or its label: Q; the ring strip or its
//    label: Z); elsewhere the platform shows its touch controls;
//  - a second tap within kDoubleTapMs and kDoubleTapSlopPt of the first: full screen;
//  - a swipe (at least kSwipePt along one axis and twice as far as across, within kSwipeMs):
//    leftwards the next model (the right arrow), rightwards the previous one (the left arrow),
//    upwards the console in and downwards out (TAB, where it moves the console that way);
//  - a long press (kLongPressMs or more, not moved off): new colours (Z);
//  - a tap with two fingers: a random model (A).
// Anything else gives nothing: a drag too short or too slow for a swipe, a pinch, three fingers,
// a cancel.
#pragma once

#include <cstdint>

constexpr double kTapSlopPt = 12;        // a tap's finger stays this near where it went down
constexpr double kSwipePt = 40;          // a swipe covers at least this along its axis
constexpr std::uint32_t kSwipeMs = 800;  // and is done within this, down to up
constexpr std::uint32_t kLongPressMs = 600;
constexpr std::uint32_t kDoubleTapMs = 400;  // from the first tap's end to the second's
constexpr double kDoubleTapSlopPt = 32;

enum class PointerPhase : std::int32_t { Down = 0, Move = 1, Up = 2, Cancel = 3 };

// One pointer event as the platform saw it.
struct PointerEvent {
  PointerPhase phase = PointerPhase::Down;
  std::int32_t id = 0;     // the pointer's, the same from its Down to its Up or Cancel
  double x = 0;            // in picture 0's pixels, which may lie outside it
  double y = 0;            //
  std::uint32_t tick = 0;  // milliseconds, the clock's
};

enum class PointerCommandKind : std::int32_t {
  None = 0,
  Start = 1,         // the left button's click: the intro page gives way to the visuals
  Key = 2,           // the command of the key `value` (a virtual-key code)
  Model = 3,         // model `value`
  ShowControls = 4,  // the platform's: show its touch controls
  FullScreen = 5,    // the platform's: full screen, or back
};

struct PointerCommand {
  PointerCommandKind kind = PointerCommandKind::None;
  std::uint32_t value = 0;
};

// Reads one event of the gesture under way; the gesture's command once its last pointer is up.
// `pixelsPerPoint`: picture pixels per point where the pointer is.
PointerCommand ReadPointer(const PointerEvent& event, double pixelsPerPoint);

// The mouse's left button at (x, y) in picture 0's pixels: a console control's command where
// there is one, else Start, the click it always was.
PointerCommand ReadClick(double x, double y);

// Runs a command of the core as its key or click would, and answers what is the platform's to do
// (ShowControls, FullScreen), else None.
PointerCommand RunPointerCommand(PointerCommand command);
