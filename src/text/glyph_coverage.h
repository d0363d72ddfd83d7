#pragma once

#include <cstdint>

// The A4R4G4B4 texel for one pixel of white-on-black rasterised text: white with the
// pixel's coverage (the high nibble of its blue byte) as alpha, or fully transparent
// black where the pixel is not covered.
uint16_t GlyphTexel(uint32_t pixel);

// Converts a top-down 32-bit bitmap of width x height pixels into A4R4G4B4 texels, whose
// rows start `pitch` bytes apart.
void ConvertGlyphCoverage(const uint32_t* pixels, uint32_t width, uint32_t height, void* texels, int pitch);
