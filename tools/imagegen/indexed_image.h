#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

// A palettised image: up to 256 palette entries and one index per pixel, top row first.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgba> palette;
    std::vector<uint8_t> indices;
};

// Reduces an opaque image to at most `colours` palette entries (median cut) and maps
// every pixel to it with error diffusion, so that smooth gradients stay smooth.
IndexedImage Quantize(const Image& image, int colours);
