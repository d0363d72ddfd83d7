#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Makes JPEG files for tests with libjpeg's compressor, so that no image file needs to
// be kept in the tree.
enum class JpegSamples { Rgb, Grey, Cmyk };

struct JpegWriteOptions {
    int quality = 100;
    bool progressive = false;
    bool fullChroma = true;  // 4:4:4 keeps colours of small blocks exact enough to compare
    // A valid progressive script of one scan per component, AC coefficient and bit
    // refinement: 3 + 3 * 63 * 4 scans for an RGB image.
    bool scanPerCoefficient = false;
};

// samples: rows top first, 3, 1 or 4 bytes per pixel for Rgb, Grey, Cmyk.
std::vector<uint8_t> WriteJpeg(uint32_t width, uint32_t height, JpegSamples kind,
                               const std::vector<uint8_t>& samples, const JpegWriteOptions& options = {});

// An RGB image of the given size, in four quadrants: red, green (top), blue, white
// (bottom), each block a multiple of 8 pixels so that colours survive compression.
std::vector<uint8_t> QuadrantSamples(uint32_t width, uint32_t height);

// Offset of the first marker FF <code> at or after from, or the size when absent.
std::size_t FindMarker(const std::vector<uint8_t>& jpeg, uint8_t code, std::size_t from = 0);

// Rewrites the frame header's (SOF0 or SOF2) height and width in place.
void SetFrameSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height);

// libjpeg's own reading of a JPEG file as RGB samples (3 bytes a pixel, rows top first,
// greyscale repeated into the three), the plain way with no extensions: the reference that
// the program's decoder is compared with. A file libjpeg refuses aborts the test.
std::vector<uint8_t> ReadJpegRgb(const std::vector<uint8_t>& jpeg, uint32_t* width, uint32_t* height);
