#pragma once

#include <cstdint>
#include <vector>

#include "image.h"

// Encodes an 8-bit RGB PNG with stored (uncompressed) deflate blocks: enough for the
// contact sheet, which is only looked at, never shipped.
std::vector<uint8_t> EncodePng(const Image& image);
