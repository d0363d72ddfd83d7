#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

// Encodes square images (at most 255 pixels) as one Windows icon file: 32-bit BGRA
// images with an AND mask derived from the alpha channel.
std::vector<uint8_t> EncodeIcon(const std::vector<Image>& images);
