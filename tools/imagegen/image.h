#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A straight-alpha RGBA image, top row first.
struct Rgba {
    uint8_t r;
    uint8_t g;
    uint8_t b;
    uint8_t a;
};

class Image {
public:
    Image(int width, int height)
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Rgba& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    // Draws `colour` over the pixel with the given coverage (0..1), straight alpha.
    void Blend(int x, int y, float red, float green, float blue, float coverage);

private:
    int width_;
    int height_;
    std::vector<Rgba> pixels_;
};

// Clamps to 0..1 and scales to a byte with rounding.
uint8_t ToByte(float value);
