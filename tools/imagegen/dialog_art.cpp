#include "dialog_art.h"

#include <algorithm>
#include <cmath>

#include "colour.h"

namespace {

// Averages a colour function over a 3 x 3 grid inside each pixel.
template <typename Paint>
void PaintSupersampled(Image& image, Paint paint) {
    const int grid = 3;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            Colour sum = {0, 0, 0};
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    sum = sum + paint(x + (sx + 0.5f) / grid, y + (sy + 0.5f) / grid);
                }
            }
            image.at(x, y) = ToRgba(sum * (1.0f / (grid * grid)));
        }
    }
}

void AddStars(Image& image, int count, uint32_t seed) {
    Random random(seed);
    for (int i = 0; i < count; ++i) {
        const int x = static_cast<int>(random.NextFloat() * image.width());
        const int y = static_cast<int>(random.NextFloat() * image.height());
        const float b = 0.25f + 0.75f * std::pow(random.NextFloat(), 4.0f);
        const Colour tint = Mix(Hex(0xBFD0FF), Hex(0xFFE8C8), random.NextFloat());
        Rgba& p = image.at(x, y);
        p = Rgba{ToByte(p.r / 255.0f + tint.r * b), ToByte(p.g / 255.0f + tint.g * b),
                 ToByte(p.b / 255.0f + tint.b * b), 255};
    }
}

Colour Nebula(float x, float y) {
    const Vec3 q = {x * 0.012f, y * 0.012f, 0.37f};
    const float cloud = WarpedFbm3(q, 5, 1.6f, 1001u);
    const float density = SmoothStep(-0.15f, 0.7f, cloud) * SmoothStep(200.0f, 40.0f, x + y * 0.4f);
    const Colour hue = Mix(Hex(0x6A2A8A), Hex(0x2A5AA8), 0.5f + 0.5f * Fbm3(q * 2.0f, 3, 1002u));
    const Colour background = Mix(Hex(0x040814), Hex(0x0A0C24), y / 167.0f);
    return background + hue * (0.55f * density) + Hex(0xE06088) * (0.25f * density * density);
}

// A ringed planet at the lower right, lit from the upper left, its ring tilted.
bool RingedPlanet(float x, float y, Colour* out) {
    const float cx = 200.0f, cy = 112.0f, radius = 40.0f;
    const float tilt = -0.32f;
    const float dx = x - cx, dy = y - cy;
    const float rx = dx * std::cos(tilt) - dy * std::sin(tilt);
    const float ry = (dx * std::sin(tilt) + dy * std::cos(tilt)) / 0.28f;
    const float ringR = std::sqrt(rx * rx + ry * ry) / radius;
    const bool onRing = ringR > 1.25f && ringR < 2.05f && !(ringR > 1.68f && ringR < 1.76f);
    const bool ringInFront = ry > 0.0f;
    const float d2 = dx * dx + dy * dy;
    if (d2 < radius * radius && !(onRing && ringInFront)) {
        const float nx = dx / radius, ny = dy / radius;
        const float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
        const float light = std::max(0.0f, -0.6f * nx - 0.5f * ny + 0.62f * nz);
        const float band = 0.85f + 0.15f * std::sin((dx * std::sin(tilt) + dy * std::cos(tilt)) * 0.45f);
        // The ring's shadow across the globe.
        const float shadow =
            std::fabs((dx * std::sin(tilt) + dy * std::cos(tilt)) + 6.0f) < 3.0f ? 0.55f : 1.0f;
        *out = Hex(0xE8C890) * ((0.08f + 0.95f * light) * band * shadow);
        return true;
    }
    if (onRing) {
        const float shade = ringInFront ? 1.0f : 0.8f;
        const float bright = ringR < 1.68f ? 0.85f : 0.65f;
        *out = Mix(Hex(0xB8A078), Hex(0xEADCBC), (ringR - 1.25f) / 0.8f) * (shade * bright);
        return true;
    }
    return false;
}

bool SmallPlanet(float x, float y, Colour* out) {
    const float cx = 62.0f, cy = 46.0f, radius = 17.0f;
    const float nx = (x - cx) / radius, ny = (y - cy) / radius;
    const float r2 = nx * nx + ny * ny;
    if (r2 >= 1.0f) {
        return false;
    }
    const float nz = std::sqrt(1.0f - r2);
    const float light = std::max(0.0f, -0.25f * nx - 0.35f * ny + 0.9f * nz - 0.1f);
    const float land = SmoothStep(0.1f, 0.25f, Fbm3(Vec3{nx * 2.5f, ny * 2.5f, nz * 2.5f}, 4, 1003u));
    const Colour surface = Mix(Hex(0x2A60B0), Hex(0x5A9A60), land);
    const Colour atmosphere = Hex(0x8AC0FF) * (0.6f * std::pow(1.0f - nz, 3.0f));
    *out = surface * (0.05f + light) + atmosphere;
    return true;
}

// Glyphs of the logo's name, 5 x 7 pixels each, top row first.
const char* const LogoGlyphs[] = {
    "#...###..##.#.##..###...##...##...#",  // N
    "######....#....####.#....#....#####",  // E
    "####.#...##...#####.#...##...#####.",  // B
    "#...##...##...##...##...##...#.###.",  // U
    "#....#....#....#....#....#....#####",  // L
    ".###.#...##...#######...##...##...#",  // A
    "####.#...##...#####.#.#..#..#.#...#",  // R
    "#####..#....#....#....#....#....#..",  // T
};

bool GlyphPixel(int glyph, int x, int y) {
    return LogoGlyphs[glyph][y * 5 + x] == '#';
}

Colour Badge(float x, float y) {
    const float cx = 27.0f, cy = 31.0f;
    const float dx = x - cx, dy = y - cy;
    const float r = std::sqrt(dx * dx + dy * dy);
    Colour c = Mix(Hex(0x0B1434), Hex(0x050818), Clamp01(y / 96.0f));
    if (r < 23.0f) {
        // A two-armed spiral nebula with a bright core.
        const float angle = std::atan2(dy, dx);
        const float arm = std::cos(2.0f * (angle - 1.9f * std::log(std::max(r, 0.5f))));
        const float arms = std::pow(std::max(0.0f, arm), 2.5f) * std::exp(-r / 9.0f);
        const float core = std::exp(-(r / 3.2f) * (r / 3.2f));
        const Colour armColour = Mix(Hex(0xFF70C0), Hex(0x50A0FF), SmoothStep(4.0f, 18.0f, r));
        c = c + armColour * (1.1f * arms) + Hex(0xFFF4E0) * core;
    }
    // The badge's rim.
    const float rim = 1.0f - SmoothStep(0.4f, 1.2f, std::fabs(r - 24.0f));
    c = Mix(c, Mix(Hex(0x60D0FF), Hex(0xFF80C8), Clamp01((dx + 24.0f) / 48.0f)), rim);
    return c;
}

}  // namespace

Image DrawSpacePicture() {
    Image image(267, 167);
    // The nebula is smooth enough for one sample per pixel; the planets' outlines are
    // supersampled.
    Image nebula(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            nebula.at(x, y) = ToRgba(Nebula(x + 0.5f, y + 0.5f));
        }
    }
    PaintSupersampled(image, [&nebula](float x, float y) {
        Colour body;
        if (RingedPlanet(x, y, &body) || SmallPlanet(x, y, &body)) {
            return body;
        }
        const Rgba& p = nebula.at(static_cast<int>(x), static_cast<int>(y));
        return Colour{p.r / 255.0f, p.g / 255.0f, p.b / 255.0f};
    });
    // Stars only on the dark sky, never across the planets.
    Image stars(267, 167);
    AddStars(stars, 260, 1004u);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            Colour unused;
            const float px = x + 0.5f, py = y + 0.5f;
            if (stars.at(x, y).r > 0 && !RingedPlanet(px, py, &unused) && !SmallPlanet(px, py, &unused)) {
                Rgba& p = image.at(x, y);
                const Rgba& s = stars.at(x, y);
                p = Rgba{static_cast<uint8_t>(std::min(255, p.r + s.r)),
                         static_cast<uint8_t>(std::min(255, p.g + s.g)),
                         static_cast<uint8_t>(std::min(255, p.b + s.b)), 255};
            }
        }
    }
    return image;
}

Image DrawMakerLogo() {
    Image image(54, 96);
    PaintSupersampled(image, Badge);
    // The name in crisp pixel letters, shaded from cyan to pink.
    const int glyphs[] = {0, 1, 2, 3, 4, 5, 6, 7};
    const int left = 4, top = 66;
    for (int g = 0; g < 8; ++g) {
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 5; ++x) {
                if (GlyphPixel(glyphs[g], x, y)) {
                    const int px = left + g * 6 + x;
                    const Colour c = Mix(Hex(0x80E0FF), Hex(0xFF90D0), static_cast<float>(px - left) / 47.0f);
                    image.at(px, top + y) = ToRgba(c);
                }
            }
        }
    }
    // A thin line under the name.
    for (int x = 8; x < 46; ++x) {
        const float fade = 1.0f - std::fabs(x - 27.0f) / 19.0f;
        image.at(x, top + 12) = ToRgba(Hex(0x7090C0) * (0.3f + 0.7f * fade));
    }
    return image;
}
