// Mercury, Venus, Mars and Pluto.
#include <cmath>
#include <memory>

#include "crater_field.h"
#include "planet_map.h"
#include "planet_maps.h"

namespace {

int TexelX(const SurfacePoint& p, int width) {
    return std::min(width - 1, static_cast<int>(p.u * width));
}
int TexelY(const SurfacePoint& p, int height) {
    return std::min(height - 1, static_cast<int>(p.v * height));
}

// The heart-shaped curve (x^2 + y^2 - 1)^3 = x^2 y^3; negative inside. Spans about
// -1.14..1.14 across and -1..1.25 upwards.
float HeartValue(float x, float y) {
    const float a = x * x + y * y - 1.0f;
    return a * a * a - x * x * y * y * y;
}

}  // namespace

Image DrawMercuryMap() {
    const int size = 512;
    const CraterField craters(size, size, CraterField::Options{1700, 0.45f, 11.0f, 7, 901u});
    return PaintPlanetMap(size, size, [&](const SurfacePoint& p) {
        const int x = TexelX(p, size), y = TexelY(p, size);
        const float albedo =
            0.50f + 0.07f * Fbm3(p.dir * 3.0f, 5, 902u) + 0.05f * Fbm3(p.dir * 14.0f, 3, 903u);
        // Smooth darker plains between the crater fields.
        const float plains = SmoothStep(0.15f, 0.45f, Fbm3(p.dir * 1.7f, 4, 904u));
        const float grey = (albedo - 0.06f * plains) * craters.Shade(x, y) + 0.28f * craters.Rays(x, y);
        return Colour{grey * 1.02f, grey * 0.99f, grey * 0.95f};
    });
}

Image DrawVenusMap() {
    return PaintPlanetMap(512, 256, [](const SurfacePoint& p) {
        // Cloud bands swept into a sideways V by the faster winds at the equator.
        const float lat = p.latitude;
        const float chevron =
            std::fabs(lat) * 0.9f + 14.0f * std::sin(p.longitude * 3.14159265f / 180.0f * 2.0f);
        const Vec3 q = {p.dir.x * 2.0f, p.dir.y * 5.0f + chevron * 0.02f, p.dir.z * 2.0f};
        const float swirl = WarpedFbm3(q, 6, 1.4f, 801u);
        const float fine = Fbm3(Vec3{p.dir.x * 6.0f, p.dir.y * 18.0f, p.dir.z * 6.0f}, 3, 802u);
        static const Colour tones[] = {Hex(0xB98C4A), Hex(0xD6B070), Hex(0xE8CD90), Hex(0xF3E2B4),
                                       Hex(0xFAF0D2)};
        Colour c = Gradient(tones, 0.55f + 0.45f * swirl + 0.08f * fine);
        // Brighter polar collars.
        return Mix(c, Hex(0xF5E9C8), 0.45f * SmoothStep(55.0f, 80.0f, std::fabs(lat)));
    });
}

Image DrawMarsMap() {
    const int width = 512, height = 256;
    const CraterField craters(width, height, CraterField::Options{260, 0.5f, 6.0f, 0, 701u});
    return PaintPlanetMap(width, height, [&](const SurfacePoint& p) {
        const int x = TexelX(p, width), y = TexelY(p, height);
        const float lat = p.latitude;
        // Dark albedo markings, most of them in the southern mid-latitudes and in an
        // arc across the north.
        const float bias = 0.25f * SmoothStep(5.0f, -15.0f, lat) * SmoothStep(-65.0f, -40.0f, lat) +
                           0.15f * SmoothStep(35.0f, 48.0f, lat) * SmoothStep(65.0f, 55.0f, lat);
        const float markings = WarpedFbm3(p.dir * 1.5f, 6, 0.9f, 702u) + bias;
        const float dark = SmoothStep(0.12f, 0.5f, markings);
        const float dust = 0.5f + 0.5f * Fbm3(p.dir * 5.0f, 4, 703u);
        Colour c = Mix(Hex(0xC1643A), Hex(0xDA8A55), dust);
        c = Mix(c, Hex(0x74422C), 0.6f * dark);
        // Hellas, a bright basin in the south.
        c = Mix(c, Hex(0xE0A070), 0.6f * SpotMask(p, -42.0f, 290.0f, 16.0f, 11.0f, 0.7f));
        // Valles Marineris: a long dark rift just south of the equator.
        const float rift =
            std::fabs(lat + 8.0f + 3.0f * std::sin(p.longitude * 0.12f) + 1.5f * Fbm3(p.dir * 9.0f, 2, 704u));
        const float along = SmoothStep(55.0f, 65.0f, p.longitude) * SmoothStep(125.0f, 110.0f, p.longitude);
        c = Mix(c, Hex(0x6A3420), 0.6f * along * (1.0f - SmoothStep(0.6f, 2.8f, rift)));
        c = c * (0.78f + 0.22f * craters.Shade(x, y));
        // Polar caps with ragged edges; the northern one is larger.
        const float edge = 3.0f * Fbm3(p.dir * 7.0f, 4, 705u);
        const float cap = SmoothStep(76.0f, 79.0f, lat + edge) + SmoothStep(-81.0f, -84.0f, lat + edge);
        return Mix(c, Hex(0xF4EEE6), Clamp01(cap));
    });
}

Image DrawPlutoMap() {
    return PaintPlanetMap(512, 256, [](const SurfacePoint& p) {
        const float lat = p.latitude;
        const float mottle = Fbm3(p.dir * 4.0f, 5, 601u);
        Colour c = Mix(Hex(0xB89874), Hex(0xD9C3A0), 0.5f + 0.6f * mottle);
        // Dark reddish-brown equatorial belt west of the heart, and smaller dark
        // patches east of it.
        const float belt = SmoothStep(
            0.0f, 0.5f, 0.55f - std::fabs(lat + 6.0f) / 30.0f + 0.3f * Fbm3(p.dir * 3.5f, 4, 602u));
        const float west = SmoothStep(20.0f, 60.0f, p.longitude) * SmoothStep(190.0f, 165.0f, p.longitude);
        const float east = SmoothStep(255.0f, 270.0f, p.longitude) * SmoothStep(345.0f, 320.0f, p.longitude) *
                           SmoothStep(0.1f, 0.4f, Fbm3(p.dir * 8.0f, 3, 603u));
        c = Mix(c, Hex(0x5C3322), 0.85f * belt * west);
        c = Mix(c, Hex(0x6E4330), 0.75f * belt * east);
        // A grey-yellow northern polar region.
        c = Mix(c, Hex(0xCFC39E), 0.7f * SmoothStep(50.0f, 75.0f, lat + 6.0f * mottle));

        // The bright heart-shaped plain, its western lobe the smoothest and brightest.
        const float hx = LongitudeDelta(p.longitude, 215.0f) / 34.0f;
        const float hy = (lat - 16.0f) / 26.0f;
        const float wobble = 0.08f * Fbm3(p.dir * 10.0f, 3, 604u);
        const float heart =
            1.0f - SmoothStep(-0.08f, 0.08f, HeartValue(hx * 1.05f, hy * 1.1f - 0.1f) + wobble);
        const float westLobe = SmoothStep(0.1f, -0.3f, hx);
        const Colour plain = Mix(Hex(0xEBDDC8), Hex(0xF7F2EA), westLobe);
        const float cells = 0.04f * Fbm3(p.dir * 30.0f, 2, 605u) * westLobe;
        return Mix(c, plain * (1.0f + cells + 0.05f * mottle * (1.0f - westLobe)), heart);
    });
}
