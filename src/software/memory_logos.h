// The console logos in memory (platform/logo_surfaces.h over the embedded bitmaps).
#pragma once

// Gives back the logos' pixels; the next CreateLogoSurfaces decodes them again.
void ReleaseMemoryLogos();
