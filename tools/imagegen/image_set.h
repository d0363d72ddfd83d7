#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image.h"
#include "indexed_image.h"

// Every image the executable embeds, drawn but not yet encoded.
struct ImageSet {
    std::array<Image, 6> stars;       // star box faces +x, -x, +y, -y, +z, -z
    std::array<Image, 6> denseStars;  // the same with "show more stars"
    std::vector<Image> planets;       // Pluto, Neptune, Uranus, Saturn, Jupiter, Mars, Earth, Venus, Mercury
    Image halo;
    Image sunGlow;
    Image ring;
    IndexedImage spacePicture;
    IndexedImage makerLogo;
    std::vector<Image> icons;  // 16, 32 and 48 pixels
};

ImageSet DrawImageSet();

struct EncodedFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// The files in the formats the resource script embeds, in a fixed order.
std::vector<EncodedFile> EncodeImageSet(const ImageSet& set);

// Expands a palettised image back to colours (for previews).
Image ExpandIndexed(const IndexedImage& image);
