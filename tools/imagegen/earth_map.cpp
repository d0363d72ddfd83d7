// The Earth: oceans, the continents of earth_geography with noisy coasts, climate
// zones, ice caps and a layer of weather clouds.
#include <algorithm>
#include <cmath>
#include <vector>

#include "earth_geography.h"
#include "planet_map.h"
#include "planet_maps.h"

namespace {

constexpr int Width = 512;
constexpr int Height = 256;

float GeoLongitude(const SurfacePoint& p) {
    return p.longitude - 180.0f;
}

// Land mask with coasts roughened by noise, then blurred into a "nearness to land".
struct LandMasks {
    std::vector<float> land;
    std::vector<float> nearLand;
};

LandMasks BuildLandMasks() {
    LandMasks masks;
    masks.land.assign(static_cast<std::size_t>(Width) * Height, 0.0f);
    PaintPlanetMap(Width, Height, [&](const SurfacePoint& p) {
        const float warpLon = 1.8f * Fbm3(p.dir * 7.0f, 4, 501u);
        const float warpLat = 1.8f * Fbm3(p.dir * 7.0f, 4, 502u);
        const float cosLat = std::max(0.2f, std::cos(p.latitude * 3.14159265f / 180.0f));
        const int x = std::min(Width - 1, static_cast<int>(p.u * Width));
        const int y = std::min(Height - 1, static_cast<int>(p.v * Height));
        masks.land[static_cast<std::size_t>(y) * Width + x] =
            IsLand(GeoLongitude(p) + warpLon / cosLat, p.latitude + warpLat) ? 1.0f : 0.0f;
        return Colour{0, 0, 0};
    });
    // A separable box blur, wrapping around in longitude.
    const int radius = 4;
    std::vector<float> rows(masks.land.size(), 0.0f);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            float sum = 0.0f;
            for (int k = -radius; k <= radius; ++k) {
                sum += masks.land[static_cast<std::size_t>(y) * Width + (x + k + Width) % Width];
            }
            rows[static_cast<std::size_t>(y) * Width + x] = sum / (2 * radius + 1);
        }
    }
    masks.nearLand.assign(masks.land.size(), 0.0f);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            float sum = 0.0f;
            for (int k = -radius; k <= radius; ++k) {
                sum += rows[static_cast<std::size_t>(std::clamp(y + k, 0, Height - 1)) * Width + x];
            }
            masks.nearLand[static_cast<std::size_t>(y) * Width + x] = sum / (2 * radius + 1);
        }
    }
    return masks;
}

// A soft box in degrees, for regions such as the great deserts.
float Region(const SurfacePoint& p, float west, float east, float south, float north, float soft) {
    const float lon = GeoLongitude(p);
    return SmoothStep(west - soft, west + soft, lon) * SmoothStep(east + soft, east - soft, lon) *
           SmoothStep(south - soft, south + soft, p.latitude) *
           SmoothStep(north + soft, north - soft, p.latitude);
}

float Aridity(const SurfacePoint& p) {
    const float soft = 6.0f;
    float a = 0.0f;
    a = std::max(a, Region(p, -17, 33, 16, 30, soft));         // Sahara
    a = std::max(a, Region(p, 36, 56, 16, 30, soft));          // Arabia
    a = std::max(a, 0.9f * Region(p, 54, 72, 25, 35, soft));   // Iran and the Thar
    a = std::max(a, 0.9f * Region(p, 78, 112, 38, 44, soft));  // Taklamakan and Gobi
    a = std::max(a, 0.6f * Region(p, 52, 80, 40, 48, soft));   // Central Asian steppe
    a = std::max(a, Region(p, 120, 142, -30, -21, soft));      // Australian interior
    a = std::max(a, 0.8f * Region(p, 14, 24, -28, -20, 4));    // Kalahari and Namib
    a = std::max(a, 0.8f * Region(p, -116, -106, 29, 37, 4));  // North American south-west
    a = std::max(a, 0.8f * Region(p, -71, -68, -26, -18, 2));  // Atacama
    a = std::max(a, 0.6f * Region(p, -71, -65, -50, -40, 3));  // Patagonia
    return Clamp01(a * (0.8f + 0.4f * Fbm3(p.dir * 5.0f, 4, 509u)) + 0.22f * Fbm3(p.dir * 9.0f, 4, 503u));
}

Colour LandColour(const SurfacePoint& p) {
    const float absLat = std::fabs(p.latitude);
    const float texture = Fbm3(p.dir * 14.0f, 5, 504u);
    Colour c = Mix(Hex(0x1F4818), Hex(0x4A6A2C), SmoothStep(8.0f, 25.0f, absLat));  // rainforest to grassland
    c = Mix(c, Hex(0x3A5E2A), SmoothStep(35.0f, 45.0f, absLat));                    // temperate forest
    c = Mix(c, Hex(0x2B4024), SmoothStep(50.0f, 60.0f, absLat));                    // taiga
    c = Mix(c, Hex(0x6E6A58), SmoothStep(63.0f, 70.0f, absLat));                    // tundra
    const float dry = Aridity(p);
    c = Mix(c, Hex(0x8C8048), SmoothStep(0.2f, 0.5f, dry));  // savanna and steppe
    const Colour desert = Mix(Hex(0xC29A62), Hex(0xDEC48E), 0.5f + 0.5f * texture);
    c = Mix(c, desert, SmoothStep(0.45f, 0.8f, dry));
    // Mountain ranges show as darker, browner relief.
    const float ridges = 1.0f - std::fabs(Fbm3(p.dir * 9.0f, 5, 505u));
    c = Mix(c, Hex(0x6B5A45), 0.35f * SmoothStep(0.75f, 0.95f, ridges));
    return c * (0.88f + 0.18f * texture);
}

float IceCover(const SurfacePoint& p, bool land) {
    const float edge = 3.0f * Fbm3(p.dir * 8.0f, 4, 506u);
    float ice = SmoothStep(-66.0f, -69.0f, p.latitude + edge);         // Antarctica and its shelf
    ice = std::max(ice, SmoothStep(77.0f, 81.0f, p.latitude + edge));  // Arctic pack ice
    if (land) {
        // The Greenland ice sheet and the high Arctic.
        ice = std::max(ice, Region(p, -55, -22, 62, 85, 3) * SmoothStep(-0.2f, 0.2f, 0.4f + edge * 0.1f));
        ice = std::max(ice, SmoothStep(71.0f, 76.0f, p.latitude + edge));
    }
    return Clamp01(ice);
}

float CloudCover(const SurfacePoint& p) {
    const float absLat = std::fabs(p.latitude);
    // The equatorial convergence, dry subtropics and stormy mid-latitudes.
    const float climate = 0.22f * (1.0f - SmoothStep(0.0f, 8.0f, absLat)) -
                          0.2f * Region(p, -180, 180, 15, 30, 5) - 0.2f * Region(p, -180, 180, -30, -15, 5) +
                          0.18f * SmoothStep(38.0f, 55.0f, absLat);
    const Vec3 q = {p.dir.x * 3.0f, p.dir.y * 4.5f, p.dir.z * 3.0f};
    const float clouds = WarpedFbm3(q, 7, 1.3f, 507u) + climate;
    return SmoothStep(0.12f, 0.7f, clouds) * 0.85f;
}

}  // namespace

Image DrawEarthMap() {
    const LandMasks masks = BuildLandMasks();
    return PaintPlanetMap(Width, Height, [&](const SurfacePoint& p) {
        const int x = std::min(Width - 1, static_cast<int>(p.u * Width));
        const int y = std::min(Height - 1, static_cast<int>(p.v * Height));
        const std::size_t i = static_cast<std::size_t>(y) * Width + x;
        const bool land = masks.land[i] > 0.5f;
        Colour c;
        if (land) {
            c = LandColour(p);
        } else {
            const float shallow = SmoothStep(0.15f, 0.6f, masks.nearLand[i]);
            c = Mix(Hex(0x0B2358), Hex(0x1A4C8A), shallow);
            c = c * (0.95f + 0.05f * Fbm3(p.dir * 10.0f, 3, 508u));
        }
        c = Mix(c, Hex(0xEEF3F8), IceCover(p, land));
        return Mix(c, Hex(0xF7F9FB), CloudCover(p));
    });
}
