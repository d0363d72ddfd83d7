#include "contact_sheet.h"

#include <algorithm>
#include <cmath>

#include "colour.h"

namespace {

constexpr int Margin = 16;
constexpr int FaceTile = 160;
constexpr int GlobeSize = 168;
constexpr float Pi = 3.14159265f;

// Box-filtered resize, good enough for previews.
Image Resize(const Image& source, int width, int height) {
    Image out(width, height);
    for (int y = 0; y < height; ++y) {
        const int sy0 = y * source.height() / height;
        const int sy1 = std::max(sy0 + 1, (y + 1) * source.height() / height);
        for (int x = 0; x < width; ++x) {
            const int sx0 = x * source.width() / width;
            const int sx1 = std::max(sx0 + 1, (x + 1) * source.width() / width);
            uint32_t sum[4] = {0, 0, 0, 0};
            for (int sy = sy0; sy < sy1; ++sy) {
                for (int sx = sx0; sx < sx1; ++sx) {
                    const Rgba& p = source.at(sx, sy);
                    sum[0] += p.r;
                    sum[1] += p.g;
                    sum[2] += p.b;
                    sum[3] += p.a;
                }
            }
            const uint32_t n = static_cast<uint32_t>((sy1 - sy0) * (sx1 - sx0));
            out.at(x, y) = Rgba{static_cast<uint8_t>(sum[0] / n), static_cast<uint8_t>(sum[1] / n),
                                static_cast<uint8_t>(sum[2] / n), static_cast<uint8_t>(sum[3] / n)};
        }
    }
    return out;
}

// Draws `image` at (left, top), blending by its alpha when `useAlpha` is set.
void Place(Image& sheet, const Image& image, int left, int top, bool useAlpha) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgba& p = image.at(x, y);
            if (useAlpha) {
                sheet.Blend(left + x, top + y, p.r / 255.0f, p.g / 255.0f, p.b / 255.0f, p.a / 255.0f);
            } else if (left + x < sheet.width() && top + y < sheet.height()) {
                sheet.at(left + x, top + y) = Rgba{p.r, p.g, p.b, 255};
            }
        }
    }
}

void FillRect(Image& sheet, int left, int top, int width, int height, Rgba colour) {
    for (int y = top; y < top + height && y < sheet.height(); ++y) {
        for (int x = left; x < left + width && x < sheet.width(); ++x) {
            sheet.at(x, y) = colour;
        }
    }
}

void Checker(Image& sheet, int left, int top, int width, int height) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool light = ((x / 8) + (y / 8)) % 2 == 0;
            sheet.at(left + x, top + y) = light ? Rgba{150, 150, 150, 255} : Rgba{100, 100, 100, 255};
        }
    }
}

// The faces unfolded around +z: -x, +z, +x, -z in a row with +y above and -y below +z.
int DrawSkyCross(Image& sheet, const std::array<Image, 6>& faces, int left, int top) {
    const int columns[6] = {2, 0, 1, 1, 1, 3};
    const int rows[6] = {1, 1, 0, 2, 1, 1};
    for (int f = 0; f < 6; ++f) {
        Place(sheet, Resize(faces[static_cast<std::size_t>(f)], FaceTile, FaceTile),
              left + columns[f] * FaceTile, top + rows[f] * FaceTile, false);
    }
    return 3 * FaceTile;
}

// The map wrapped on a sphere the way the scene's sphere builder wraps it, seen from
// outside with north up, lit from the upper left; `centreU` faces the viewer.
Image RenderGlobe(const Image& map, int size, float centreU) {
    Image out(size, size);
    const Vec3 light = Normalize(Vec3{-0.5f, 0.45f, 0.75f});
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float sx = (x + 0.5f) / size * 2.0f - 1.0f;
            const float sy = 1.0f - (y + 0.5f) / size * 2.0f;
            const float r2 = sx * sx + sy * sy;
            if (r2 >= 1.0f) {
                continue;
            }
            const float sz = std::sqrt(1.0f - r2);
            // Seen from -z looking towards +z (x right, y up): the visible point.
            const Vec3 world = {sx, sy, -sz};
            const float theta = std::atan2(world.x, world.z);
            float u = 1.0f - theta / (2.0f * Pi) + (centreU - 0.5f);
            u -= std::floor(u);
            const float v = std::acos(std::clamp(world.y, -1.0f, 1.0f)) / Pi;
            const Rgba& t = map.at(std::min(map.width() - 1, static_cast<int>(u * map.width())),
                                   std::min(map.height() - 1, static_cast<int>(v * map.height())));
            const float lit = 0.12f + 0.95f * std::max(0.0f, Dot(Vec3{sx, sy, sz}, light));
            out.at(x, y) =
                Rgba{ToByte(t.r / 255.0f * lit), ToByte(t.g / 255.0f * lit), ToByte(t.b / 255.0f * lit), 255};
        }
    }
    return out;
}

Image AlphaAsGrey(const Image& image) {
    Image out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const uint8_t a = image.at(x, y).a;
            out.at(x, y) = Rgba{a, a, a, 255};
        }
    }
    return out;
}

// Faces of the globes: the features each planet is known by.
const float GlobeCentres[9] = {0.6f, 0.7f, 0.5f, 0.5f, 0.32f, 0.25f, 0.55f, 0.5f, 0.5f};

}  // namespace

Image DrawContactSheet(const ImageSet& set) {
    const int planetCell = 512;
    const int width = Margin * 2 + planetCell * 3 + Margin * 2;
    const int height =
        Margin + 3 * FaceTile + Margin + 3 * 256 + 2 * Margin + Margin + GlobeSize + Margin + 256 + Margin;
    Image sheet(width, height);
    FillRect(sheet, 0, 0, width, height, Rgba{36, 36, 44, 255});

    int top = Margin;
    DrawSkyCross(sheet, set.stars, Margin, top);
    top += DrawSkyCross(sheet, set.denseStars, Margin + 4 * FaceTile + Margin, top) + Margin;

    for (std::size_t p = 0; p < set.planets.size(); ++p) {
        const int left = Margin + static_cast<int>(p % 3) * (planetCell + Margin);
        const int cellTop = top + static_cast<int>(p / 3) * (256 + Margin);
        const Image& map = set.planets[p];
        Place(sheet, map.height() == 256 ? map : Resize(map, 256, 256), left, cellTop, false);
    }
    top += 3 * 256 + 3 * Margin;

    for (std::size_t p = 0; p < set.planets.size(); ++p) {
        const int left = Margin + static_cast<int>(p) * (GlobeSize + 4);
        Place(sheet, RenderGlobe(set.planets[p], GlobeSize, GlobeCentres[p]), left, top, false);
    }
    top += GlobeSize + Margin;

    int left = Margin;
    FillRect(sheet, left, top, 128, 128, Rgba{20, 30, 70, 255});
    Place(sheet, set.halo, left, top, true);
    Place(sheet, AlphaAsGrey(set.halo), left, top + 128, false);
    left += 128 + Margin;
    Place(sheet, Resize(set.sunGlow, 256, 256), left, top, false);
    left += 256 + Margin;
    Place(sheet, Resize(AlphaAsGrey(set.sunGlow), 128, 128), left, top, false);
    left += 128 + Margin;
    FillRect(sheet, left, top, 128, 128, Rgba{20, 30, 70, 255});
    Place(sheet, Resize(set.ring, 128, 128), left, top, true);
    Place(sheet, Resize(AlphaAsGrey(set.ring), 128, 64), left, top + 128 + 8, false);
    left += 128 + Margin;
    Place(sheet, ExpandIndexed(set.spacePicture), left, top, false);
    left += set.spacePicture.width + Margin;
    const Image logo = ExpandIndexed(set.makerLogo);
    Place(sheet, logo, left, top, false);
    Place(sheet, Resize(logo, logo.width() * 2, logo.height() * 2), left + logo.width() + Margin, top, false);
    left += logo.width() * 3 + 2 * Margin;
    for (const Image& icon : set.icons) {
        Checker(sheet, left, top, icon.width(), icon.height());
        Place(sheet, icon, left, top, true);
        left += icon.width() + Margin;
    }
    return sheet;
}
