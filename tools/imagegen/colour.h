#pragma once

#include "image.h"
#include "noise.h"

// A linear working colour of the painters, 0..1 per channel (values above 1 clip).
struct Colour {
    float r, g, b;
};

inline Colour operator+(Colour a, Colour b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Colour operator*(Colour a, float s) {
    return {a.r * s, a.g * s, a.b * s};
}
inline Colour operator*(Colour a, Colour b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Colour Mix(Colour a, Colour b, float t) {
    return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)};
}

// 0xRRGGBB to a working colour.
inline Colour Hex(uint32_t rgb) {
    return {static_cast<float>((rgb >> 16) & 0xFFu) / 255.0f, static_cast<float>((rgb >> 8) & 0xFFu) / 255.0f,
            static_cast<float>(rgb & 0xFFu) / 255.0f};
}

inline Rgba ToRgba(Colour c, float alpha = 1.0f) {
    return Rgba{ToByte(c.r), ToByte(c.g), ToByte(c.b), ToByte(alpha)};
}

// Picks a colour from evenly spaced stops along t in 0..1.
template <int N>
Colour Gradient(const Colour (&stops)[N], float t) {
    const float x = Clamp01(t) * (N - 1);
    int i = static_cast<int>(x);
    if (i >= N - 1) {
        i = N - 2;
    }
    return Mix(stops[i], stops[i + 1], x - static_cast<float>(i));
}
