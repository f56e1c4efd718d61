// The Windows side of the logos that only start-up, shutdown and the display layer need.
#pragma once

#include <windows.h>

// Selects bitmap resources 106 and 107 of `instance` into memory device contexts compatible with
// `screenDc`: the pictures the logo surfaces are filled from, whenever they are made or restored.
// A bitmap that cannot be loaded or selected leaves its context without a picture.
void LoadLogoBitmaps(HINSTANCE instance, HDC screenDc);

// Deletes those device contexts and the bitmaps they hold. Call it after CloseDisplay, when no
// surface can be filled any more.
void FreeLogoBitmaps();

// Copies the logo bitmaps into the logo surfaces that exist. Restoring lost surfaces gives them
// their memory back but not their pictures, so the display calls this after every restore.
void RefillLogoSurfaces();

// Releases the logo surfaces that exist. Wine's GL renderer can crash when an off-screen surface
// outlives the DirectDraw object, so the display releases them before it lets go of the object.
void ReleaseLogoSurfaces();
