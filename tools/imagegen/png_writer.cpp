#include "png_writer.h"

#include <array>
#include <algorithm>

#include "byte_writer.h"

namespace {

const std::array<uint32_t, 256>& CrcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    return table;
}

uint32_t Crc32(const uint8_t* data, std::size_t size) {
    uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        c = CrcTable()[(c ^ data[i]) & 0xFFu] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
    Put32BigEndian(out, static_cast<uint32_t>(body.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    Put32BigEndian(out, Crc32(out.data() + start, out.size() - start));
}

std::vector<uint8_t> StoredZlibStream(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out = {0x78, 0x01};
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        const bool last = pos + n == raw.size();
        out.push_back(last ? 1 : 0);
        Put16(out, static_cast<uint32_t>(n));
        Put16(out, static_cast<uint32_t>(~n & 0xFFFFu));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                   raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    } while (pos < raw.size());
    Put32BigEndian(out, Adler32(raw));
    return out;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Image& image) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32BigEndian(header, static_cast<uint32_t>(image.width()));
    Put32BigEndian(header, static_cast<uint32_t>(image.height()));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    PutChunk(out, "IHDR", header);

    std::vector<uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(image.height()) * (image.width() * 3 + 1));
    for (int y = 0; y < image.height(); ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < image.width(); ++x) {
            const Rgba& p = image.at(x, y);
            raw.insert(raw.end(), {p.r, p.g, p.b});
        }
    }
    PutChunk(out, "IDAT", StoredZlibStream(raw));
    PutChunk(out, "IEND", {});
    return out;
}
