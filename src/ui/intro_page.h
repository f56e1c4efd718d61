// The intro page shown until the first click: title, help, blinking prompt and credits.
#pragma once

// Toggles the blinking prompt when its phase has run out. Once per intro frame, before drawing.
void AdvanceBlink();

// Draws the whole page through the text output, the prompt as the blink has it.
void DrawIntroPage();
