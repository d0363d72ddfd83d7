#include "star_box.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "colour.h"
#include "scene/star_field.h"

namespace {

constexpr int FaceSize = 512;
constexpr int FaceCount = 6;
// The outer texels of a face lie on its edges, u or v 0 and 1, where the saver samples
// each face clamped: the edge texels of neighbouring faces see the same directions and
// match, so the box shows no seams.
constexpr float TexelSpan = static_cast<float>(FaceSize - 1);

// Face axes, in face order, and how a direction seen by a face maps to its u and v.
const Vec3 FaceAxes[FaceCount] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};

bool ProjectToFace(int face, Vec3 d, float* u, float* v) {
    const float along = Dot(d, FaceAxes[face]);
    if (along <= 0.3f) {
        return false;
    }
    const Vec3 s = d * (1.0f / along);
    switch (face) {
        case 0:
            *u = (1.0f - s.z) * 0.5f;
            *v = (1.0f - s.y) * 0.5f;
            break;
        case 1:
            *u = (1.0f + s.z) * 0.5f;
            *v = (1.0f - s.y) * 0.5f;
            break;
        case 2:
            *u = (1.0f + s.x) * 0.5f;
            *v = (1.0f + s.z) * 0.5f;
            break;
        case 3:
            *u = (1.0f + s.x) * 0.5f;
            *v = (1.0f - s.z) * 0.5f;
            break;
        case 4:
            *u = (1.0f + s.x) * 0.5f;
            *v = (1.0f - s.y) * 0.5f;
            break;
        default:
            *u = (1.0f - s.x) * 0.5f;
            *v = (1.0f - s.y) * 0.5f;
            break;
    }
    return true;
}

// A float RGB canvas for one face, so that overlapping stars add up before clipping.
struct FaceCanvas {
    std::vector<Colour> pixels =
        std::vector<Colour>(static_cast<std::size_t>(FaceSize) * FaceSize, Colour{0, 0, 0});
    Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * FaceSize + x]; }
};

// The Milky Way's plane, whose pole the saver's stars crowd away from.
Vec3 Pole() {
    const StarDirection pole = GalaxyPole();
    return Vec3{pole.x, pole.y, pole.z};
}

struct Galaxy {
    Vec3 pole = Pole();
    Vec3 centre = Normalize(Cross(pole, Vec3{0.0f, 0.0f, 1.0f}));
    Vec3 side = Cross(pole, centre);

    float Latitude(Vec3 d) const { return std::asin(std::clamp(Dot(d, pole), -1.0f, 1.0f)); }
    float Longitude(Vec3 d) const { return std::atan2(Dot(d, side), Dot(d, centre)); }
};

// The diffuse light of the Milky Way with its clumps and dark dust lanes, and two
// faint nebulae near it.
Colour MilkyWay(const Galaxy& galaxy, Vec3 d) {
    const float b = galaxy.Latitude(d);
    const float l = galaxy.Longitude(d);
    const float towardsCentre = 0.5f + 0.5f * std::cos(l);
    const float width = 0.16f + 0.1f * towardsCentre;
    const float band = std::exp(-(b / width) * (b / width));
    if (band < 0.002f) {
        return Colour{0, 0, 0};
    }
    const float clumps = 0.55f + 0.45f * Fbm3(d * 6.0f, 5, 201u);
    const float lane =
        SmoothStep(0.1f, 0.5f, Fbm3(d * 4.0f + Vec3{3, 1, 7}, 4, 202u) + 0.35f - std::fabs(b + 0.02f) * 6.0f);
    const float glow =
        band * clumps * (1.0f - 0.75f * lane) * (0.45f + 0.75f * towardsCentre * towardsCentre);
    const Colour tint = Mix(Hex(0xA8B8E0), Hex(0xF0D8B0), towardsCentre);
    Colour c = tint * (0.32f * glow);

    const Vec3 emission = Normalize(galaxy.centre * 0.8f + galaxy.side * 0.6f + galaxy.pole * 0.08f);
    const Vec3 reflection = Normalize(galaxy.centre * -0.5f + galaxy.side * 0.85f - galaxy.pole * 0.15f);
    const float e = std::exp(-(1.0f - Dot(d, emission)) * 160.0f);
    if (e > 0.001f) {
        c = c + Hex(0xC04868) * (0.3f * e * std::max(0.0f, 0.5f + 0.5f * Fbm3(d * 14.0f, 4, 203u)));
    }
    const float r = std::exp(-(1.0f - Dot(d, reflection)) * 220.0f);
    if (r > 0.001f) {
        c = c + Hex(0x4870D0) * (0.25f * r * std::max(0.0f, 0.5f + 0.5f * Fbm3(d * 16.0f, 4, 204u)));
    }
    return c;
}

Colour SkyBackground(const Galaxy& galaxy, Vec3 d) {
    const float haze = 0.004f * (0.5f + 0.5f * Fbm3(d * 3.0f, 3, 205u));
    return Colour{0.006f + haze, 0.008f + haze, 0.016f + haze * 1.5f} + MilkyWay(galaxy, d);
}

// A speck of unresolved star dust.
struct Speck {
    Vec3 dir;
    float flux;  // peak brightness
    Colour tint;
};

// A speck as a small Gaussian (dust is never bright enough to saturate).
void SplatSpeck(FaceCanvas& canvas, int face, const Speck& speck) {
    float u, v;
    if (!ProjectToFace(face, speck.dir, &u, &v)) {
        return;
    }
    const float cx = u * TexelSpan, cy = v * TexelSpan;
    constexpr float sigma = 0.5f;
    const int reach = static_cast<int>(std::ceil(sigma * 3.0f));
    const int x0 = std::max(0, static_cast<int>(std::floor(cx)) - reach);
    const int x1 = std::min(FaceSize - 1, static_cast<int>(std::ceil(cx)) + reach);
    const int y0 = std::max(0, static_cast<int>(std::floor(cy)) - reach);
    const int y1 = std::min(FaceSize - 1, static_cast<int>(std::ceil(cy)) + reach);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float dx = static_cast<float>(x) - cx, dy = static_cast<float>(y) - cy;
            const float value = speck.flux * std::exp(-(dx * dx + dy * dy) / (2.0f * sigma * sigma));
            canvas.at(x, y) = canvas.at(x, y) + speck.tint * value;
        }
    }
}

// The denser sky's unresolved star dust, crowded into the Milky Way; the stars
// themselves are the saver's points.
std::vector<Speck> MakeDust(const Galaxy& galaxy) {
    static const Colour tints[] = {Hex(0x8AA6FF), Hex(0xBCCCFF), Hex(0xF0F2FF),
                                   Hex(0xFFF0D4), Hex(0xFFD29A), Hex(0xFFAA70)};
    std::vector<Speck> dust;
    Random random(0xD057u);
    for (int i = 0; i < 60000; ++i) {
        const Vec3 d = random.OnSphere();
        const float b = galaxy.Latitude(d);
        const float keep = 0.25f + 0.75f * std::exp(-(b / 0.22f) * (b / 0.22f));
        const float flux = random.Range(0.04f, 0.1f);
        if (random.NextFloat() < keep) {
            dust.push_back(Speck{d, flux, Gradient(tints, random.NextFloat())});
        }
    }
    return dust;
}

// The diffuse sky varies slowly: it is evaluated on a coarse grid whose outer samples
// lie exactly on the face's edges, as the outer texels do (so that neighbouring faces
// agree there), and interpolated in between.
void PaintBackground(FaceCanvas& canvas, const Galaxy& galaxy, int face, float gain) {
    constexpr int Cells = 128;
    std::vector<Colour> grid(static_cast<std::size_t>(Cells + 1) * (Cells + 1));
    for (int j = 0; j <= Cells; ++j) {
        for (int i = 0; i <= Cells; ++i) {
            const Vec3 d = Normalize(
                StarBoxDirection(face, static_cast<float>(i) / Cells, static_cast<float>(j) / Cells));
            grid[static_cast<std::size_t>(j) * (Cells + 1) + i] = SkyBackground(galaxy, d) * gain;
        }
    }
    for (int y = 0; y < FaceSize; ++y) {
        const float gy = static_cast<float>(y) / TexelSpan * Cells;
        const int j = std::min(Cells - 1, static_cast<int>(gy));
        const float ty = gy - static_cast<float>(j);
        for (int x = 0; x < FaceSize; ++x) {
            const float gx = static_cast<float>(x) / TexelSpan * Cells;
            const int i = std::min(Cells - 1, static_cast<int>(gx));
            const float tx = gx - static_cast<float>(i);
            auto g = [&](int di, int dj) {
                return grid[static_cast<std::size_t>(j + dj) * (Cells + 1) + i + di];
            };
            canvas.at(x, y) = Mix(Mix(g(0, 0), g(1, 0), tx), Mix(g(0, 1), g(1, 1), tx), ty);
        }
    }
}

// The tone curve: stars keep their colour and approach white only when very bright.
uint8_t Tone(float value) {
    return ToByte(1.0f - std::exp(-value * 1.4f));
}

}  // namespace

Vec3 StarBoxDirection(int face, float u, float v) {
    const float a = 2.0f * u - 1.0f, b = 2.0f * v - 1.0f;
    switch (face) {
        case 0:
            return Vec3{1.0f, -b, -a};
        case 1:
            return Vec3{-1.0f, -b, a};
        case 2:
            return Vec3{a, 1.0f, b};
        case 3:
            return Vec3{a, -1.0f, -b};
        case 4:
            return Vec3{a, -b, 1.0f};
        default:
            return Vec3{-a, -b, -1.0f};
    }
}

std::array<Image, 6> DrawStarBox(bool dense) {
    const Galaxy galaxy;
    const std::vector<Speck> dust = dense ? MakeDust(galaxy) : std::vector<Speck>{};
    const float skyGain = dense ? 1.25f : 1.0f;
    std::array<Image, 6> faces = {Image(FaceSize, FaceSize), Image(FaceSize, FaceSize),
                                  Image(FaceSize, FaceSize), Image(FaceSize, FaceSize),
                                  Image(FaceSize, FaceSize), Image(FaceSize, FaceSize)};
    for (int face = 0; face < FaceCount; ++face) {
        FaceCanvas canvas;
        PaintBackground(canvas, galaxy, face, skyGain);
        for (const Speck& speck : dust) {
            SplatSpeck(canvas, face, speck);
        }
        for (int y = 0; y < FaceSize; ++y) {
            for (int x = 0; x < FaceSize; ++x) {
                const Colour& c = canvas.at(x, y);
                faces[static_cast<std::size_t>(face)].at(x, y) = Rgba{Tone(c.r), Tone(c.g), Tone(c.b), 255};
            }
        }
    }
    return faces;
}
