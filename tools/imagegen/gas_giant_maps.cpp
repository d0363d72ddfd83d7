// Jupiter, Saturn, Uranus and Neptune: banded atmospheres whose bands follow the
// latitude, bent and streaked by noise stretched along the longitude.
#include <cmath>

#include "planet_map.h"
#include "planet_maps.h"

namespace {

struct Band {
    float fromLatitude;  // the band's colour holds from here towards the south
    Colour colour;
};

// Colour of a latitude from bands listed north to south, blended over `blend` degrees.
template <int N>
Colour BandColour(const Band (&bands)[N], float latitude, float blend) {
    Colour c = bands[0].colour;
    for (int i = 1; i < N; ++i) {
        const float t = SmoothStep(bands[i].fromLatitude + blend, bands[i].fromLatitude - blend, latitude);
        c = Mix(c, bands[i].colour, t);
    }
    return c;
}

// Noise that varies much faster across the latitude than along it: cloud streaks.
float Streaks(const SurfacePoint& p, float along, float across, int octaves, uint32_t seed) {
    const Vec3 q = {p.dir.x * along, p.dir.y * across, p.dir.z * along};
    return Fbm3(q, octaves, seed);
}

// Latitude bent by turbulence so that band edges wave and curl.
float TurbulentLatitude(const SurfacePoint& p, float amplitude, float scale, uint32_t seed) {
    const Vec3 q = {p.dir.x * scale, p.dir.y * scale * 3.0f, p.dir.z * scale};
    return p.latitude + WarpedFbm3(q, 4, 0.8f, seed) * amplitude;
}

Colour Jupiter(const SurfacePoint& p) {
    static const Band bands[] = {
        {90, Hex(0x9C8C78)},  {60, Hex(0xB4A48A)},  {45, Hex(0xCDBB9C)},  {38, Hex(0xB89A78)},
        {33, Hex(0xE4D6BA)},  {27, Hex(0xB88C66)},  {22, Hex(0xEDE2CC)},  {18, Hex(0xA46E4A)},
        {7, Hex(0xF2E9D6)},   {-6, Hex(0xA06848)},  {-19, Hex(0xEEE3CC)}, {-27, Hex(0xB8906C)},
        {-32, Hex(0xE4D6BC)}, {-40, Hex(0xBFA080)}, {-48, Hex(0xCCBCA0)}, {-62, Hex(0xA89A82)},
    };
    // Band edges curl into eddies; the latitude is bent more strongly near them.
    const float lat = TurbulentLatitude(p, 3.0f, 3.0f, 11u);
    Colour c = BandColour(bands, lat, 1.8f);
    // Lighter and darker streaks inside the belts.
    const float streak = Streaks(p, 4.0f, 45.0f, 5, 12u);
    c = c * (1.0f + 0.11f * streak);
    // Festoons: dark blue-grey wisps trailing from the northern edge of the equatorial zone.
    const float festoon = SmoothStep(0.3f, 0.7f, Streaks(p, 10.0f, 28.0f, 3, 13u)) *
                          SmoothStep(6.0f, 2.0f, std::fabs(p.latitude - 5.0f));
    c = Mix(c, Hex(0x7E6E66), 0.5f * festoon);
    // A chain of small white ovals along the southern temperate belt.
    for (int i = 0; i < 6; ++i) {
        c = Mix(c, Hex(0xF4EEE2), 0.7f * SpotMask(p, -41.0f, 30.0f + 60.0f * i, 3.2f, 1.8f, 0.6f));
    }

    // The Great Red Spot with its pale collar, turning inside.
    const float collar = SpotMask(p, -22.0f, 110.0f, 21.0f, 10.0f, 0.5f);
    c = Mix(c, Hex(0xF1E6D2), 0.55f * collar);
    const float spot = SpotMask(p, -22.0f, 110.0f, 16.0f, 7.5f, 0.35f);
    const float swirl = Fbm3(p.dir * 18.0f, 3, 14u);
    const Colour red = Mix(Hex(0xB2472A), Hex(0xD27A4E), 0.5f + 0.5f * swirl);
    const float core = SpotMask(p, -22.0f, 110.0f, 8.0f, 3.5f, 0.8f);
    c = Mix(c, Mix(red, Hex(0xC9603A), core * 0.5f), spot);
    // A white oval further south, as on the real planet.
    c = Mix(c, Hex(0xF6F0E4), 0.8f * SpotMask(p, -33.5f, 210.0f, 4.5f, 2.3f, 0.6f));
    return c;
}

Colour Saturn(const SurfacePoint& p) {
    static const Band bands[] = {
        {90, Hex(0xA9A48C)},  {70, Hex(0xC7B78E)},  {55, Hex(0xD8C597)},  {42, Hex(0xCDB585)},
        {30, Hex(0xE3D0A2)},  {20, Hex(0xD6BE8B)},  {12, Hex(0xEADBB2)},  {-12, Hex(0xD9C18F)},
        {-20, Hex(0xE6D4A6)}, {-32, Hex(0xCFB684)}, {-45, Hex(0xDCC899)}, {-60, Hex(0xC4B287)},
        {-75, Hex(0xB3A67F)},
    };
    const float lat = TurbulentLatitude(p, 1.2f, 2.0f, 21u);
    Colour c = BandColour(bands, lat, 2.5f);
    return c * (1.0f + 0.04f * Streaks(p, 2.5f, 30.0f, 4, 22u));
}

Colour Uranus(const SurfacePoint& p) {
    const float t = SmoothStep(-60.0f, 75.0f, p.latitude + 4.0f * Fbm3(p.dir * 2.0f, 2, 31u));
    Colour c = Mix(Hex(0x9BD3DC), Hex(0xB9E6EA), t);
    // A bright polar cap and very faint banding.
    c = Mix(c, Hex(0xD2F1F2), 0.6f * SmoothStep(55.0f, 80.0f, p.latitude));
    const float bands = std::sin(p.latitude * 0.22f) * 0.012f;
    return c * (1.0f + bands + 0.015f * Streaks(p, 2.0f, 25.0f, 3, 32u));
}

Colour Neptune(const SurfacePoint& p) {
    static const Band bands[] = {
        {90, Hex(0x3B5FC4)},  {60, Hex(0x3358BE)},  {35, Hex(0x3F68CF)},  {12, Hex(0x3660C8)},
        {-15, Hex(0x2C4FB0)}, {-35, Hex(0x3A63C9)}, {-55, Hex(0x2B4CAA)}, {-70, Hex(0x3558BC)},
    };
    const float lat = TurbulentLatitude(p, 2.5f, 2.0f, 41u);
    Colour c = BandColour(bands, lat, 4.0f);
    c = c * (1.0f + 0.07f * Streaks(p, 2.5f, 22.0f, 4, 42u));
    // The Great Dark Spot with a bright companion cloud along its southern edge.
    const float spot = SpotMask(p, -22.0f, 250.0f, 15.0f, 7.0f, 0.45f);
    c = Mix(c, Hex(0x1A2A72), 0.85f * spot);
    const float companion = SpotMask(p, -29.5f, 255.0f, 11.0f, 1.6f, 0.7f);
    c = Mix(c, Hex(0xE6EEFA), 0.9f * companion);
    // Scattered bright streaks of high methane cloud.
    const float cirrus = SmoothStep(0.45f, 0.85f, Streaks(p, 6.0f, 45.0f, 3, 43u)) *
                         SmoothStep(25.0f, 10.0f, std::fabs(std::fabs(p.latitude) - 38.0f));
    c = Mix(c, Hex(0xDDE7F8), 0.75f * cirrus);
    return c;
}

}  // namespace

Image DrawJupiterMap() {
    return PaintPlanetMap(512, 256, Jupiter);
}
Image DrawSaturnMap() {
    return PaintPlanetMap(512, 256, Saturn);
}
Image DrawUranusMap() {
    return PaintPlanetMap(512, 256, Uranus);
}
Image DrawNeptuneMap() {
    return PaintPlanetMap(512, 256, Neptune);
}
