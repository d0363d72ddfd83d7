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
    float a = 0.0f;
    a = std::max(a, Region(p, -17, 33, 15, 31, 4));            // Sahara
    a = std::max(a, Region(p, 34, 58, 14, 32, 3));             // Arabia
    a = std::max(a, Region(p, 52, 72, 24, 37, 4));             // Iran and the Thar
    a = std::max(a, Region(p, 75, 115, 36, 46, 4));            // Taklamakan and Gobi
    a = 0.85f * std::max(a, Region(p, 55, 75, 38, 48, 4));     // Central Asian steppe
    a = std::max(a, Region(p, 116, 146, -32, -19, 4));         // Australian interior
    a = std::max(a, Region(p, 12, 26, -29, -18, 3));           // Kalahari and Namib
    a = std::max(a, Region(p, -118, -103, 27, 38, 3));         // North American south-west
    a = std::max(a, Region(p, -72, -66, -28, -17, 2));         // Atacama
    a = std::max(a, 0.7f * Region(p, -72, -64, -52, -38, 2));  // Patagonia
    return Clamp01(a + 0.25f * Fbm3(p.dir * 6.0f, 4, 503u));
}

Colour LandColour(const SurfacePoint& p) {
    const float absLat = std::fabs(p.latitude);
    const float texture = Fbm3(p.dir * 12.0f, 5, 504u);
    const Colour tropical = Hex(0x2E5A1E);
    const Colour temperate = Hex(0x4E7A34);
    const Colour boreal = Hex(0x2F4A2A);
    const Colour tundra = Hex(0x7A7460);
    Colour c = Mix(tropical, temperate, SmoothStep(12.0f, 30.0f, absLat));
    c = Mix(c, boreal, SmoothStep(45.0f, 58.0f, absLat));
    c = Mix(c, tundra, SmoothStep(62.0f, 70.0f, absLat));
    const Colour desert = Mix(Hex(0xC9A56A), Hex(0xE0C896), 0.5f + 0.5f * texture);
    c = Mix(c, desert, SmoothStep(0.35f, 0.7f, Aridity(p)));
    // Mountain ranges show as darker, browner relief.
    const float ridges = 1.0f - std::fabs(Fbm3(p.dir * 9.0f, 5, 505u));
    c = Mix(c, Hex(0x6B5A45), 0.35f * SmoothStep(0.75f, 0.95f, ridges));
    return c * (0.9f + 0.15f * texture);
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
    return SmoothStep(0.05f, 0.55f, clouds) * 0.9f;
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
            const float shallow = SmoothStep(0.05f, 0.5f, masks.nearLand[i]);
            c = Mix(Hex(0x0A1F55), Hex(0x1D5A9A), shallow);
            c = c * (0.95f + 0.05f * Fbm3(p.dir * 10.0f, 3, 508u));
        }
        c = Mix(c, Hex(0xEEF3F8), IceCover(p, land));
        return Mix(c, Hex(0xF7F9FB), CloudCover(p));
    });
}
