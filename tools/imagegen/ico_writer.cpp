#include "ico_writer.h"

#include "byte_writer.h"

namespace {

// BITMAPINFOHEADER, bottom-up BGRA pixels, then the 1-bit AND mask (rows padded to 32 bits).
std::vector<uint8_t> EncodeIconImage(const Image& image) {
    const int w = image.width();
    const int h = image.height();
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(w));
    Put32(out, static_cast<uint32_t>(h * 2));  // colour and mask halves
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i) {
        Put32(out, 0);
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const Rgba& p = image.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    const int maskStride = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskStride), 0);
        for (int x = 0; x < w; ++x) {
            if (image.at(x, y).a < 128) {
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

std::vector<uint8_t> EncodeIcon(const std::vector<Image>& images) {
    std::vector<std::vector<uint8_t>> encoded;
    for (const Image& image : images) {
        encoded.push_back(EncodeIconImage(image));
    }
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<uint8_t>(images[i].width()));
        out.push_back(static_cast<uint8_t>(images[i].height()));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);   // planes
        Put16(out, 32);  // bits per pixel
        Put32(out, static_cast<uint32_t>(encoded[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(encoded[i].size());
    }
    for (const std::vector<uint8_t>& bytes : encoded) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}
