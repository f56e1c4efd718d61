// The frame driver: one frame of the program, the model switch, and the idle pass of the loop.
#pragma once

#include <cstdint>

// Starts the clocks of the loop at the current tick, on the intro page: the first frame's time
// counts from here, and so does the first frame-rate window.
void StartFrameClocks();

// Runs one frame: checks the display (the renderer's beginFrame), advances the clocks, switches the
// model when the play period ran out, updates the intro page or the visuals into app.frame, hands
// the renderer what changed and has it render the frame. 0 = go on, 1 = end the loop.
std::int32_t RunFrame();

// Changes the model: black visible ring with a new target, SelectModel(requested) (-1 = random),
// a fresh frameTick / frameMs and the model clock back to 0.
void SwitchModel(std::int32_t requested);

// What the message loop does whenever no message waits: one frame, then one console slide step
// (whatever the frame answered). Returns RunFrame's result.
std::int32_t RunIdlePass();

// One pass of a port's loop that rests between frames: the idle pass, and when the next one is
// due on GetMicroseconds' clock (the one pacer, app/frame_pacing.h).
struct LoopPass {
  bool goOn;            // false: the display is lost for good, end the loop
  std::uint64_t dueUs;  // rest until then, taking input meanwhile
};
LoopPass RunLoopPass();
