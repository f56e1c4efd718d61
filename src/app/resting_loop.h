// The one loop of the ports that rest between frames (the desktop program, the display mode and
// the Windows screen saver): every waiting piece of input first, as the Windows program's message
// loop takes it, then a pass (a frame and a console slide step) when one is due, then a rest until
// input comes or the next pass is due (app/frame_pacing.h). No pass runs before it is due.
#pragma once

// What ended the loop.
enum class LoopEnd { Input, DisplayLost };

// Runs the started run's loop until its input ends it (Esc, the window's closing, a stop signal)
// or the display is lost for good.
LoopEnd RunRestingLoop();
