// Drawing the plasma: IndexBuffer values, plus a drifting extra term for models 0, 10, 11 and 12,
// looked up in the visible colour ring and written into the locked back buffer.
#pragma once

// Writes rows 0 ... app.consoleTop - 1 of the locked back buffer (app.pixels, stepping rows by
// app.pitchPixels). Rows from app.consoleTop down are left alone.
void ComposeFrame();
