#include "planet_map.h"

#include <cmath>

namespace {

constexpr float Pi = 3.14159265f;

}  // namespace

Image PaintPlanetMap(int width, int height, const SurfacePainter& painter) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(height);
        const float polar = v * Pi;  // from the +y pole
        for (int x = 0; x < width; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(width);
            // The sphere builder places texture u at the angle theta = 2 pi (1 - u).
            const float theta = 2.0f * Pi * (1.0f - u);
            SurfacePoint p;
            p.u = u;
            p.v = v;
            p.latitude = 90.0f - v * 180.0f;
            p.longitude = u * 360.0f;
            p.dir =
                Vec3{std::sin(theta) * std::sin(polar), std::cos(polar), std::cos(theta) * std::sin(polar)};
            image.at(x, y) = ToRgba(painter(p));
        }
    }
    return image;
}

float LongitudeDelta(float longitude, float centre) {
    float d = longitude - centre;
    while (d > 180.0f) {
        d -= 360.0f;
    }
    while (d < -180.0f) {
        d += 360.0f;
    }
    return d;
}

float SpotMask(const SurfacePoint& p, float centreLatitude, float centreLongitude, float halfWidth,
               float halfHeight, float softness) {
    const float dx =
        LongitudeDelta(p.longitude, centreLongitude) * std::cos(p.latitude * Pi / 180.0f) / halfWidth;
    const float dy = (p.latitude - centreLatitude) / halfHeight;
    const float r = std::sqrt(dx * dx + dy * dy);
    return 1.0f - SmoothStep(1.0f - softness, 1.0f, r);
}
