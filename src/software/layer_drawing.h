// The steps of drawing the console and intro layer that every renderer takes on the processor:
// the intro page, and the console's logos and texts over a running frame.
#pragma once

// Fills the frame black and draws the intro page on its console layer.
void DrawIntroFrame();

// Copies the logos onto the console layer and draws the console's texts. The logos are made on
// the first running frame of a run (logosMade false), as its text is drawn, and shown from the
// next; logosMade is then set.
void DrawLogosAndTexts(bool& logosMade);
