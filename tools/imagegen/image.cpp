#include "image.h"

uint8_t ToByte(float value) {
    if (!(value > 0.0f)) {
        return 0;
    }
    if (value >= 1.0f) {
        return 255;
    }
    return static_cast<uint8_t>(value * 255.0f + 0.5f);
}

void Image::Blend(int x, int y, float red, float green, float blue, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0.0f) {
        return;
    }
    Rgba& p = at(x, y);
    const float dstA = p.a / 255.0f;
    const float outA = coverage + dstA * (1.0f - coverage);
    if (outA <= 0.0f) {
        return;
    }
    auto mix = [&](uint8_t dst, float src) {
        return ToByte((src * coverage + dst / 255.0f * dstA * (1.0f - coverage)) / outA);
    };
    p = Rgba{mix(p.r, red), mix(p.g, green), mix(p.b, blue), ToByte(outA)};
}
