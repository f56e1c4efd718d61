// The Windows side of the logo surfaces that only the display layer needs.
#pragma once

// Copies the logo bitmaps into the logo surfaces that exist. Restoring lost surfaces gives them
// their memory back but not their pictures, so the display calls this after every restore.
void RefillLogoSurfaces();

// Releases the logo surfaces that exist. Wine's GL renderer can crash when an off-screen surface
// outlives the DirectDraw object, so the display releases them before it lets go of the object.
void ReleaseLogoSurfaces();
