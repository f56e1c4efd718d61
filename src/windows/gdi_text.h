// The Windows side of text output that only start-up and shutdown need.
#pragma once

#include <windows.h>

// Makes the text font: Verdana (or GDI's substitute), 7 points at `screenDc`'s resolution. Left
// null when it cannot be made; the text then keeps the device context's own font.
void CreateTextFont(HDC screenDc);

// Deletes the text font; after the last text pass.
void DeleteTextFont();
