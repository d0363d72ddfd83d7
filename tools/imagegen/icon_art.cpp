#include "icon_art.h"

#include <cmath>

namespace {

struct Sample {
    float r, g, b, a;
};

// One point of the icon in units where the icon spans -1..1, y down.
Sample IconSample(float x, float y) {
    const float tilt = -0.35f;
    const float u = x * std::cos(tilt) - y * std::sin(tilt);
    const float v = x * std::sin(tilt) + y * std::cos(tilt);
    const float ringRadius = std::sqrt(u * u + (v / 0.32f) * (v / 0.32f));
    const bool onRing =
        ringRadius > 0.66f && ringRadius < 0.97f && !(ringRadius > 0.8f && ringRadius < 0.84f);
    const Sample ring = {0.93f, 0.82f, 0.55f, 1.0f};

    const float planetRadius = 0.55f;
    const float d2 = x * x + y * y;
    if (d2 < planetRadius * planetRadius && !(onRing && v > 0.0f)) {
        // Lit from the upper left, with soft bands along the ring plane.
        const float z = std::sqrt(planetRadius * planetRadius - d2) / planetRadius;
        const float nx = x / planetRadius, ny = y / planetRadius;
        const float light = std::fmax(0.0f, -0.55f * nx - 0.6f * ny + 0.58f * z);
        const float band = 0.85f + 0.15f * std::sin(v * 22.0f);
        const float shade = (0.25f + 0.85f * light) * band;
        return Sample{0.95f * shade, 0.7f * shade, 0.32f * shade, 1.0f};
    }
    if (onRing) {
        return ring;
    }
    return Sample{0, 0, 0, 0};
}

}  // namespace

Image DrawIconImage(int size) {
    Image image(size, size);
    const int grid = 4;  // supersampling per axis
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Sample sum = {0, 0, 0, 0};
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    const float x = ((px + (sx + 0.5f) / grid) / size) * 2.0f - 1.0f;
                    const float y = ((py + (sy + 0.5f) / grid) / size) * 2.0f - 1.0f;
                    const Sample s = IconSample(x, y);
                    sum.r += s.r * s.a;
                    sum.g += s.g * s.a;
                    sum.b += s.b * s.a;
                    sum.a += s.a;
                }
            }
            const float coverage = sum.a / (grid * grid);
            if (sum.a > 0.0f) {
                image.at(px, py) = Rgba{ToByte(sum.r / sum.a), ToByte(sum.g / sum.a), ToByte(sum.b / sum.a),
                                        ToByte(coverage)};
            }
        }
    }
    return image;
}
