#include "bmp_writer.h"

#include "byte_writer.h"

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t PaletteEntries = 256;

}  // namespace

std::vector<uint8_t> EncodeBmp8(const IndexedImage& image) {
    const uint32_t stride = (static_cast<uint32_t>(image.width) + 3u) & ~3u;
    const uint32_t pixelBytes = stride * static_cast<uint32_t>(image.height);
    const uint32_t pixelOffset = FileHeaderSize + InfoHeaderSize + PaletteEntries * 4;

    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, pixelOffset + pixelBytes);
    Put32(out, 0);  // reserved
    Put32(out, pixelOffset);

    Put32(out, InfoHeaderSize);
    Put32(out, static_cast<uint32_t>(image.width));
    Put32(out, static_cast<uint32_t>(image.height));  // positive: bottom-up
    Put16(out, 1);                                    // planes
    Put16(out, 8);                                    // bits per pixel
    Put32(out, 0);                                    // BI_RGB
    Put32(out, pixelBytes);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, PaletteEntries);  // colours used
    Put32(out, 0);               // all colours important

    for (uint32_t i = 0; i < PaletteEntries; ++i) {
        const Rgba c = i < image.palette.size() ? image.palette[i] : Rgba{0, 0, 0, 0};
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
        out.insert(
            out.end(), image.indices.begin() + static_cast<std::ptrdiff_t>(row),
            image.indices.begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(image.width)));
        out.resize(out.size() + (stride - static_cast<uint32_t>(image.width)), 0);
    }
    return out;
}
