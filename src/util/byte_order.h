#pragma once

#include <cstdint>
#include <cstring>

// True on a little-endian machine, which is every machine Direct3D runs on; the portable
// code keeps a byte-by-byte path for the others. Compilers fold the probe to a constant.
inline bool LittleEndian() {
    const uint32_t probe = 1;
    uint8_t firstByte = 0;
    std::memcpy(&firstByte, &probe, 1);
    return firstByte == 1;
}
