#include "scene/name_font_size.h"

#include <algorithm>
#include <cmath>

#include "util/screen_dpi.h"

namespace {

constexpr float TexelsPerNameUnit = 10.0f;  // world-space text: ten texels to a unit
constexpr float ViewedNameScalePerRadius = 0.5f;
constexpr float NearestEyeInRadii = 6.0f;
// Far beyond what a texture of 1024 x 1024 holds; keeps the search short on any screen.
constexpr float LargestNameMagnification = 16.0f;

// The point height at `dpi` whose glyphs are as large as those of `height96` points at
// 96 dpi; at least 1.
uint32_t PointsAtDpi(float height96, uint32_t dpi) {
    return static_cast<uint32_t>(std::max(1.0f, std::round(height96 / DpiScale(dpi))));
}

}  // namespace

float NameTexelMagnification(uint32_t screenHeight) {
    const float texelInRadii = ViewedNameScalePerRadius / TexelsPerNameUnit;
    return static_cast<float>(screenHeight) * texelInRadii / NearestEyeInRadii;
}

// Each question measures a font, so the wanted height is tried first (it usually fits);
// otherwise, since larger glyphs never fit where smaller ones do not, the largest height
// that fits is found by halving the range.
uint32_t ChooseNameFontHeight(uint32_t screenHeight, uint32_t dpi,
                              const std::function<bool(uint32_t height)>& fits) {
    const float base = static_cast<float>(NameFontBaseHeight);
    const float magnification =
        std::clamp(NameTexelMagnification(screenHeight), 1.0f, LargestNameMagnification);
    uint32_t low = PointsAtDpi(base, dpi);  // the base always stays
    uint32_t high = std::max(low, PointsAtDpi(std::round(base * magnification), dpi));
    if (high == low || fits(high)) {
        return high;
    }
    --high;
    while (low < high) {
        const uint32_t middle = low + (high - low + 1) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

float NameFontScale(uint32_t height, uint32_t dpi) {
    return static_cast<float>(height) * DpiScale(dpi) / static_cast<float>(NameFontBaseHeight);
}
