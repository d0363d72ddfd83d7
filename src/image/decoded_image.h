#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An image decoded from a file held in memory: 32-bit ARGB pixels (alpha in the top
// byte), top row first, whatever the file's own row order.
struct DecodedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    bool hasAlpha = false;  // the pixels carry alpha worth keeping in the texture
    std::vector<uint32_t> pixels;
};

enum class DecodeStatus {
    Ok,
    NotThisFormat,  // the data is not an image of the decoder's kind
    Truncated,      // the data ends before the image does
    Corrupt,        // inconsistent headers or compressed data
    Unsupported,    // a valid file of a kind the program does not read
    TooLarge,       // dimensions beyond what a texture can hold
};

// Largest width or height a decoder accepts.
constexpr uint32_t MaxDecodedDimension = 16384;

// Truevision TGA, image types 2 (uncompressed) and 10 (run-length) in true colour with 24
// or 32 bits per pixel, either origin. 32-bit pixels keep their fourth byte as alpha,
// whatever alpha-bit count the header declares. Every size is checked against the data
// before it is read.
DecodeStatus DecodeTga(const uint8_t* data, std::size_t size, DecodedImage* image);

// Baseline JPEG (JFIF) through libjpeg, greyscale or colour. Decoder errors come back as a
// status; nothing exits the process. Running out of memory throws std::bad_alloc, as
// growing the pixel vector does.
DecodeStatus DecodeJpeg(const uint8_t* data, std::size_t size, DecodedImage* image);
