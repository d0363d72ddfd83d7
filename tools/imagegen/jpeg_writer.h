#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

// Encodes the colour channels as a baseline JFIF JPEG (3 components, alpha dropped).
// Full-resolution chroma keeps small coloured details such as stars intact.
std::vector<uint8_t> EncodeJpeg(const Image& image, int quality);
