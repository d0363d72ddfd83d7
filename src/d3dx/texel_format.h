#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// The texture formats that decoded images are written into: the 32-bit and 16-bit RGB
// formats every Direct3D 8 device offers one of.
enum class TexelFormat {
    A8R8G8B8,
    X8R8G8B8,
    R5G6B5,
    X1R5G5B5,
    A1R5G5B5,
    A4R4G4B4,
};

uint32_t BytesPerTexel(TexelFormat format);

// Writes count ARGB pixels as texels of the format at out (count * BytesPerTexel bytes).
// Formats without alpha are written opaque; channels lose their low bits.
void ConvertPixelRow(const uint32_t* argb, std::size_t count, TexelFormat format, uint8_t* out);

// The first format the device accepts from a preference list: 32 bits before 16, for
// an image with alpha only formats that keep it. When the device accepts none, the
// first preference, so that creating the texture reports the device's own failure.
TexelFormat ChooseTexelFormat(bool hasAlpha, const std::function<bool(TexelFormat)>& deviceAccepts);
