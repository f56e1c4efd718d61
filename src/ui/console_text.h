// The console's top layer: the two logos and all its text, and the frame-rate counter.
#pragma once

// Copies the logos onto the unlocked back buffer where they fit completely on the screen.
void BlitLogos();

// Draws the console text through the text output; creates the logo surfaces on its first call and
// counts the frame for the frame-rate display.
void DrawConsoleText();
