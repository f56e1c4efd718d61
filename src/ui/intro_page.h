// The intro page shown until the first click: title, help, blinking prompt and credits.
#pragma once

// Draws the whole page through the text output and advances the prompt's blink.
void DrawIntroPage();
