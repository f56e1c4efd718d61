#include "software/layer_drawing.h"

#include "platform/display.h"
#include "platform/logo_surfaces.h"
#include "ui/console_text.h"
#include "ui/intro_page.h"

void DrawIntroFrame() {
  ClearFrame();
  OpenFrameText();
  DrawIntroPage();
  CloseFrameText();
}

void DrawLogosAndTexts(bool& logosMade) {
  if (logosMade) {
    BlitLogos();
  }
  OpenFrameText();
  if (!logosMade) {
    logosMade = true;
    CreateLogoSurfaces();
  }
  DrawConsoleText();
  CloseFrameText();
}
