#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

struct TgaOptions {
    bool runLength = false;         // image type 10 instead of 2
    uint8_t declaredAlphaBits = 8;  // the descriptor's alpha-bit count (the fourth byte is written anyway)
};

// Encodes a 32-bit true-colour TGA with bottom-left origin and the TGA 2.0 footer.
// Run-length packets never cross a scan line.
std::vector<uint8_t> EncodeTga(const Image& image, const TgaOptions& options);
