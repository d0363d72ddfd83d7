#include "tga_writer.h"

#include <cstring>

#include "byte_writer.h"

namespace {

constexpr std::size_t MaxPacketPixels = 128;

bool SamePixel(const Rgba& a, const Rgba& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

void PutPixel(std::vector<uint8_t>& out, const Rgba& p) {
    out.insert(out.end(), {p.b, p.g, p.r, p.a});
}

void PutHeader(std::vector<uint8_t>& out, const Image& image, const TgaOptions& options) {
    Put8(out, 0);                           // no image id
    Put8(out, 0);                           // no colour map
    Put8(out, options.runLength ? 10 : 2);  // true colour
    for (int i = 0; i < 5; ++i) {           // colour map fields: no colour map
        Put8(out, 0);
    }
    Put16(out, 0);  // x origin
    Put16(out, 0);  // y origin
    Put16(out, static_cast<uint32_t>(image.width()));
    Put16(out, static_cast<uint32_t>(image.height()));
    Put8(out, 32);
    Put8(out, options.declaredAlphaBits & 0x0Fu);  // bottom-left origin
}

// Length of the run of identical pixels starting at x (at most one packet).
std::size_t RunLength(const std::vector<Rgba>& row, std::size_t x) {
    std::size_t n = 1;
    while (x + n < row.size() && n < MaxPacketPixels && SamePixel(row[x + n], row[x])) {
        ++n;
    }
    return n;
}

void PutRunLengthRow(std::vector<uint8_t>& out, const std::vector<Rgba>& row) {
    std::size_t x = 0;
    while (x < row.size()) {
        const std::size_t run = RunLength(row, x);
        if (run >= 2) {
            Put8(out, 0x80u | static_cast<uint32_t>(run - 1));
            PutPixel(out, row[x]);
            x += run;
            continue;
        }
        // A raw packet extends until the next run of two or more begins.
        std::size_t n = 1;
        while (x + n < row.size() && n < MaxPacketPixels && RunLength(row, x + n) < 2) {
            ++n;
        }
        Put8(out, static_cast<uint32_t>(n - 1));
        for (std::size_t i = 0; i < n; ++i) {
            PutPixel(out, row[x + i]);
        }
        x += n;
    }
}

void PutFooter(std::vector<uint8_t>& out) {
    Put32(out, 0);  // no extension area
    Put32(out, 0);  // no developer directory
    const char signature[] = "TRUEVISION-XFILE.";
    out.insert(out.end(), signature, signature + sizeof(signature));  // with its NUL
}

}  // namespace

std::vector<uint8_t> EncodeTga(const Image& image, const TgaOptions& options) {
    std::vector<uint8_t> out;
    PutHeader(out, image, options);
    std::vector<Rgba> row(static_cast<std::size_t>(image.width()));
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            row[static_cast<std::size_t>(x)] = image.at(x, y);
        }
        if (options.runLength) {
            PutRunLengthRow(out, row);
        } else {
            for (const Rgba& p : row) {
                PutPixel(out, p);
            }
        }
    }
    PutFooter(out);
    return out;
}
