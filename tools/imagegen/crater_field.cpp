#include "crater_field.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float Pi = 3.14159265f;
constexpr float DegreesPerRadian = 180.0f / Pi;

float Latitude(Vec3 dir) {
    return std::asin(std::max(-1.0f, std::min(1.0f, dir.y))) * DegreesPerRadian;
}

// Height profile across a crater, r = distance / radius: a bowl, a raised rim and
// ejecta that fade outside it; large craters get a central peak.
float CraterProfile(float r, float radius) {
    if (r < 1.0f) {
        float h = (r * r - 1.0f) * 0.55f + 0.35f * SmoothStep(0.6f, 1.0f, r);
        if (radius > 3.0f) {
            h += 0.35f * (1.0f - SmoothStep(0.0f, 0.22f, r));
            h = std::max(h, -0.4f);  // big craters have flat floors
        }
        return h;
    }
    return 0.35f * std::exp(-(r - 1.0f) * 3.5f);
}

}  // namespace

CraterField::CraterField(int width, int height, const Options& options)
    : width_(width),
      height_(height),
      dirs_(static_cast<std::size_t>(width) * height),
      heights_(dirs_.size(), 0.0f),
      rays_(dirs_.size(), 0.0f) {
    for (int y = 0; y < height; ++y) {
        const float polar = (static_cast<float>(y) + 0.5f) / static_cast<float>(height) * Pi;
        for (int x = 0; x < width; ++x) {
            const float theta =
                2.0f * Pi * (1.0f - (static_cast<float>(x) + 0.5f) / static_cast<float>(width));
            dirs_[Index(x, y)] =
                Vec3{std::sin(theta) * std::sin(polar), std::cos(polar), std::cos(theta) * std::sin(polar)};
        }
    }
    Random random(options.seed);
    const float ratio = options.maxRadius / options.minRadius;
    for (int i = 0; i < options.count; ++i) {
        const Vec3 centre = random.OnSphere();
        // Many small craters, few large ones.
        const float t = random.NextFloat();
        const float radius = options.minRadius * std::pow(ratio, t * t * t);
        const bool rayed = i >= options.count - options.rayedCraters;
        Stamp(centre, rayed ? std::max(radius, options.minRadius * 3.0f) : radius, rayed ? 1.0f : 0.0f,
              random.NextU32());
    }
}

void CraterField::Stamp(Vec3 centre, float radius, float rayStrength, uint32_t seed) {
    const float reach = radius * (rayStrength > 0.0f ? 9.0f : 2.5f);  // degrees
    const float lat = Latitude(centre);
    const float top = std::min(90.0f, lat + reach), bottom = std::max(-90.0f, lat - reach);
    const int y0 = std::max(0, static_cast<int>((90.0f - top) / 180.0f * height_) - 1);
    const int y1 = std::min(height_ - 1, static_cast<int>((90.0f - bottom) / 180.0f * height_) + 1);
    const float cosReach = std::cos(reach / DegreesPerRadian);

    // A tangent frame at the crater for the angle of ray streaks around it.
    const Vec3 e1 =
        Normalize(std::fabs(centre.y) < 0.9f ? Cross(centre, Vec3{0, 1, 0}) : Cross(centre, Vec3{1, 0, 0}));
    const Vec3 e2 = Cross(centre, e1);
    const float depth = radius * 0.18f;

    // Columns within reach, unless the reach covers a pole.
    int xFrom = 0, xCount = width_;
    const float widest = std::max(std::fabs(top), std::fabs(bottom));
    if (widest < 89.0f) {
        const float halfLon = reach / std::cos(widest / DegreesPerRadian);
        if (halfLon < 179.0f) {
            const float theta = std::atan2(centre.x, centre.z);
            const float u = 1.0f - theta / (2.0f * Pi);
            const int half = static_cast<int>(halfLon / 360.0f * width_) + 2;
            xFrom = static_cast<int>(u * width_) - half;
            xCount = std::min(width_, 2 * half + 1);
        }
    }
    for (int y = y0; y <= y1; ++y) {
        for (int k = 0; k < xCount; ++k) {
            const int x = ((xFrom + k) % width_ + width_) % width_;
            const std::size_t i = Index(x, y);
            const float c = Dot(dirs_[i], centre);
            if (c < cosReach) {
                continue;
            }
            const float distance = std::acos(std::min(1.0f, c)) * DegreesPerRadian;
            const float r = distance / radius;
            if (r < 2.5f) {
                heights_[i] += CraterProfile(r, radius) * depth;
            }
            if (rayStrength > 0.0f) {
                const float angle = std::atan2(Dot(dirs_[i], e2), Dot(dirs_[i], e1));
                const float streak =
                    Noise3(Vec3{std::cos(angle) * 9.0f, std::sin(angle) * 9.0f, r * 0.15f}, seed);
                const float ray =
                    std::pow(Clamp01(streak * 1.6f + 0.1f), 2.0f) * (1.0f - SmoothStep(1.0f, 9.0f, r));
                const float floor = r < 1.1f ? 0.6f : 0.0f;
                rays_[i] = std::min(1.0f, rays_[i] + rayStrength * (ray + floor));
            }
        }
    }
}

float CraterField::Shade(int x, int y) const {
    const int xl = (x + width_ - 1) % width_, xr = (x + 1) % width_;
    const int yu = std::max(0, y - 1), yd = std::min(height_ - 1, y + 1);
    const float lat = 90.0f - (static_cast<float>(y) + 0.5f) / static_cast<float>(height_) * 180.0f;
    const float texelX =
        360.0f / static_cast<float>(width_) * std::max(0.05f, std::cos(lat / DegreesPerRadian));
    const float texelY = 180.0f / static_cast<float>(height_);
    const float dx = (heights_[Index(xr, y)] - heights_[Index(xl, y)]) / (2.0f * texelX);
    const float dy =
        (heights_[Index(x, yd)] - heights_[Index(x, yu)]) / (texelY * static_cast<float>(yd - yu));
    // Light from the west and a little from the north, fairly low over the horizon.
    const Vec3 light = Normalize(Vec3{-0.75f, -0.35f, 0.55f});
    const Vec3 normal = Normalize(Vec3{-dx, -dy, 1.0f});
    return Dot(normal, light) / light.z;
}
