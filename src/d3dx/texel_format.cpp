#include "d3dx/texel_format.h"

#include <cstring>
#include <iterator>

#include "util/byte_order.h"

namespace {

uint32_t Channel(uint32_t argb, int shift, int bits) {
    return ((argb >> shift) & 0xFFu) >> (8 - bits);
}

// Packs the top bits of each channel into a 16-bit texel with the given channel widths.
uint16_t Pack16(uint32_t argb, int alphaBits, int redBits, int greenBits, int blueBits) {
    uint32_t texel = Channel(argb, 24, alphaBits);
    texel = (texel << redBits) | Channel(argb, 16, redBits);
    texel = (texel << greenBits) | Channel(argb, 8, greenBits);
    texel = (texel << blueBits) | Channel(argb, 0, blueBits);
    return static_cast<uint16_t>(texel);
}

uint16_t ToTexel16(uint32_t argb, TexelFormat format) {
    switch (format) {
        case TexelFormat::R5G6B5:
            return Pack16(argb, 0, 5, 6, 5);
        case TexelFormat::X1R5G5B5:
            return Pack16(argb | 0xFF000000u, 1, 5, 5, 5);
        case TexelFormat::A1R5G5B5:
            return Pack16(argb, 1, 5, 5, 5);
        case TexelFormat::A4R4G4B4:
        default:
            return Pack16(argb, 4, 4, 4, 4);
    }
}

// Texels are stored little-endian, as on every platform Direct3D runs on. There a texel
// is one store, not one per byte: a screen's textures are millions of texels.
void Store16(uint16_t texel, uint8_t* out) {
    if (LittleEndian()) {
        std::memcpy(out, &texel, 2);
        return;
    }
    out[0] = static_cast<uint8_t>(texel);
    out[1] = static_cast<uint8_t>(texel >> 8);
}

void Store32(uint32_t texel, uint8_t* out) {
    if (LittleEndian()) {
        std::memcpy(out, &texel, 4);
        return;
    }
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(texel >> (8 * i));
    }
}

const TexelFormat OpaquePreferences[] = {TexelFormat::X8R8G8B8, TexelFormat::A8R8G8B8, TexelFormat::R5G6B5,
                                         TexelFormat::X1R5G5B5};
const TexelFormat AlphaPreferences[] = {TexelFormat::A8R8G8B8, TexelFormat::A4R4G4B4, TexelFormat::A1R5G5B5};

}  // namespace

uint32_t BytesPerTexel(TexelFormat format) {
    return format == TexelFormat::A8R8G8B8 || format == TexelFormat::X8R8G8B8 ? 4 : 2;
}

void ConvertPixelRow(const uint32_t* argb, std::size_t count, TexelFormat format, uint8_t* out) {
    switch (format) {
        case TexelFormat::A8R8G8B8:
            for (std::size_t i = 0; i < count; ++i, out += 4) {
                Store32(argb[i], out);
            }
            break;
        case TexelFormat::X8R8G8B8:
            for (std::size_t i = 0; i < count; ++i, out += 4) {
                Store32(argb[i] | 0xFF000000u, out);
            }
            break;
        default:
            for (std::size_t i = 0; i < count; ++i, out += 2) {
                Store16(ToTexel16(argb[i], format), out);
            }
            break;
    }
}

TexelFormat ChooseTexelFormat(bool hasAlpha, const std::function<bool(TexelFormat)>& deviceAccepts) {
    const TexelFormat* first = hasAlpha ? std::begin(AlphaPreferences) : std::begin(OpaquePreferences);
    const TexelFormat* last = hasAlpha ? std::end(AlphaPreferences) : std::end(OpaquePreferences);
    for (const TexelFormat* format = first; format != last; ++format) {
        if (deviceAccepts(*format)) {
            return *format;
        }
    }
    return *first;
}
