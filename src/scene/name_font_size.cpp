#include "scene/name_font_size.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float TexelsPerNameUnit = 10.0f;  // world-space text: ten texels to a unit
constexpr float ViewedNameScalePerRadius = 0.5f;
constexpr float NearestEyeInRadii = 6.0f;
// Far beyond what a texture of 1024 x 1024 holds; keeps the search short on any screen.
constexpr uint32_t LargestNameFontHeight = 16 * NameFontBaseHeight;

}  // namespace

float NameTexelMagnification(uint32_t screenHeight) {
    const float texelInRadii = ViewedNameScalePerRadius / TexelsPerNameUnit;
    return static_cast<float>(screenHeight) * texelInRadii / NearestEyeInRadii;
}

// Each question measures a font, so the wanted height is tried first (it usually fits);
// otherwise, since larger glyphs never fit where smaller ones do not, the largest height
// that fits is found by halving the range.
uint32_t ChooseNameFontHeight(uint32_t screenHeight, const std::function<bool(uint32_t height)>& fits) {
    const float wanted =
        std::round(static_cast<float>(NameFontBaseHeight) * NameTexelMagnification(screenHeight));
    uint32_t low = NameFontBaseHeight;  // the base always stays
    uint32_t high = static_cast<uint32_t>(std::clamp(wanted, static_cast<float>(NameFontBaseHeight),
                                                     static_cast<float>(LargestNameFontHeight)));
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
