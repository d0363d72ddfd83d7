#pragma once

#include <cstdint>

// The levels of a texture's mip chain: each level half the size of the one before (at
// least 1 texel each way), down to 1 x 1.

// The size of the level after one of `size` texels.
inline uint32_t NextMipSize(uint32_t size) {
    return size > 1 ? size / 2 : 1;
}

// The levels of the full chain of a width x height texture; 0 for an empty one.
inline uint32_t FullMipLevelCount(uint32_t width, uint32_t height) {
    if (width == 0 || height == 0) {
        return 0;
    }
    uint32_t levels = 1;
    while (width > 1 || height > 1) {
        width = NextMipSize(width);
        height = NextMipSize(height);
        ++levels;
    }
    return levels;
}
