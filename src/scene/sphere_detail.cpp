#include "scene/sphere_detail.h"

#include <cmath>

namespace {

constexpr float Pi = 3.1415927f;
constexpr float HalfPixel = 0.5f;
constexpr float BeyondAnyScreen = 1.0e6f;

}  // namespace

float SphereOutlinePixels(float radius, float distance, float focalPixels) {
    const float clearance = distance * distance - radius * radius;
    if (!(clearance > 0.0f)) {
        return BeyondAnyScreen;
    }
    // The cone of sight touching the sphere: its half angle's tangent is r / sqrt(d^2 - r^2).
    return std::fabs(focalPixels) * std::fabs(radius) / std::sqrt(clearance);
}

float SphereOutlineError(int detail, float outlinePixels) {
    // Each side of a regular polygon of n corners on the circle lies inside it by
    // r (1 - cos(pi / n)) at its middle.
    const float sides = static_cast<float>(SphereSubdivisions[detail]);
    return outlinePixels * (1.0f - std::cos(Pi / sides));
}

int SphereDetailForOutline(float outlinePixels) {
    for (int m = 0; m < SphereDetailCount - 1; ++m) {
        if (SphereOutlineError(m, outlinePixels) <= HalfPixel) {
            return m;
        }
    }
    return SphereDetailCount - 1;
}
