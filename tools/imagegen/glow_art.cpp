#include "glow_art.h"

#include <algorithm>
#include <cmath>

#include "colour.h"

namespace {

// Distance of a pixel centre from the image centre, 1 at the middle of an edge.
float RadialDistance(int x, int y, int size) {
    const float half = static_cast<float>(size) * 0.5f;
    const float dx = (static_cast<float>(x) + 0.5f - half) / half;
    const float dy = (static_cast<float>(y) + 0.5f - half) / half;
    return std::sqrt(dx * dx + dy * dy);
}

float PixelAngle(int x, int y, int size) {
    const float half = static_cast<float>(size) * 0.5f;
    return std::atan2(static_cast<float>(y) + 0.5f - half, static_cast<float>(x) + 0.5f - half);
}

float SunBrightness(float r, float angle) {
    if (r >= 1.0f) {
        return 0.0f;
    }
    const float core = std::exp(-(r / 0.075f) * (r / 0.075f));
    const float corona = 0.75f * std::exp(-r / 0.13f) + 0.25f * std::exp(-r / 0.35f);
    // Faint streamers, periodic in the angle so that they close around the disc.
    const float streamers = Fbm3(Vec3{std::cos(angle) * 4.0f, std::sin(angle) * 4.0f, r * 1.5f}, 4, 301u);
    const float rays = 1.0f + 0.35f * streamers * SmoothStep(0.06f, 0.25f, r);
    const float window = (1.0f - r * r) * (1.0f - r * r);
    return Clamp01((core + corona * rays) * window);
}

}  // namespace

Image DrawHalo() {
    const int size = 128;
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float r = RadialDistance(x, y, size);
            const float alpha = 0.85f * std::exp(-3.0f * r * r) * (1.0f - SmoothStep(0.6f, 1.0f, r));
            image.at(x, y) = Rgba{255, 255, 255, ToByte(alpha)};
        }
    }
    return image;
}

Image DrawSunGlow() {
    const int size = 512;
    static const Colour stops[] = {Hex(0x000000), Hex(0x5A1A00), Hex(0xD05A08),
                                   Hex(0xFFB020), Hex(0xFFE070), Hex(0xFFFFFF)};
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float b = SunBrightness(RadialDistance(x, y, size), PixelAngle(x, y, size));
            // Gamma lifts the faint outskirts into visible orange before they fade out.
            const float t = std::pow(b, 0.45f);
            image.at(x, y) = ToRgba(Gradient(stops, t), t);
        }
    }
    return image;
}

Image DrawRing() {
    const int size = 64;
    Image image(size, size);
    for (int x = 0; x < size; ++x) {
        // Radius across the ring, 0 at the inner edge and 1 at the outer edge, in the
        // proportions of Saturn's C, B and A rings with the Cassini and Encke gaps.
        const float t = 1.0f - (static_cast<float>(x) + 0.5f) / static_cast<float>(size);
        float alpha;
        Colour colour;
        if (t < 0.28f) {  // the faint C ring
            alpha = 0.25f + 0.25f * t / 0.28f;
            colour = Hex(0x9C8E78);
        } else if (t < 0.69f) {  // the bright B ring
            alpha = 0.8f + 0.15f * std::sin((t - 0.28f) * 40.0f);
            colour = Mix(Hex(0xD8C49C), Hex(0xEADCBC), SmoothStep(0.3f, 0.6f, t));
        } else if (t < 0.77f) {  // the Cassini division
            alpha = 0.08f;
            colour = Hex(0x6E6456);
        } else {  // the A ring with the Encke gap near its outer edge
            alpha = 0.6f - 0.15f * SmoothStep(0.77f, 1.0f, t);
            if (std::fabs(t - 0.95f) < 0.012f) {
                alpha = 0.12f;
            }
            colour = Hex(0xC8B898);
        }
        // Fine ringlets.
        const float ringlets = 0.08f * Noise3(Vec3{t * 60.0f, 0.5f, 0.5f}, 401u);
        const Rgba pixel = ToRgba(colour * (1.0f + ringlets), std::clamp(alpha + ringlets, 0.0f, 1.0f));
        for (int y = 0; y < size; ++y) {
            image.at(x, y) = pixel;
        }
    }
    return image;
}
