#pragma once

#include <cstdint>
#include <vector>

#include "indexed_image.h"

// Encodes an 8-bit palettised Windows bitmap file (BITMAPFILEHEADER, BITMAPINFOHEADER,
// a 256-entry colour table, bottom-up rows padded to 4 bytes), as a resource compiler
// embeds it for a BITMAP resource.
std::vector<uint8_t> EncodeBmp8(const IndexedImage& image);
