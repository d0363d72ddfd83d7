#include "scene/star_field.h"

#include <algorithm>
#include <cmath>

namespace {

StarDirection Scaled(StarDirection d, float s) {
    return {d.x * s, d.y * s, d.z * s};
}

float Dot(StarDirection a, StarDirection b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

StarDirection Normalised(StarDirection d) {
    const float length = std::sqrt(Dot(d, d));
    return length > 0.0f ? Scaled(d, 1.0f / length) : StarDirection{0.0f, 0.0f, 1.0f};
}

// The sequence of the sky's stars (splitmix): the same numbers on every machine.
class StarRandom {
public:
    explicit StarRandom(uint32_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

    uint32_t NextU32() {
        state_ += 0x9E3779B97F4A7C15ull;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }
    float NextFloat() { return static_cast<float>(NextU32() >> 8) * (1.0f / 16777216.0f); }
    float Range(float low, float high) { return low + (high - low) * NextFloat(); }
    StarDirection OnSphere() {
        const float z = Range(-1.0f, 1.0f);
        const float a = Range(0.0f, 6.2831853f);
        const float r = std::sqrt(std::fmax(0.0f, 1.0f - z * z));
        return {r * std::cos(a), r * std::sin(a), z};
    }

private:
    uint64_t state_;
};

struct Tint {
    float red, green, blue;
};

// From hot blue-white to cool orange-red; most stars near white and yellow.
Tint StarTint(float t) {
    static const uint32_t stops[] = {0x8AA6FF, 0xBCCCFF, 0xF0F2FF, 0xFFF0D4, 0xFFD29A, 0xFFAA70};
    constexpr int count = sizeof(stops) / sizeof(stops[0]);
    const float x = std::clamp(t, 0.0f, 1.0f) * (count - 1);
    const int i = std::min(static_cast<int>(x), count - 2);
    const float f = x - static_cast<float>(i);
    const auto channel = [&](int shift) {
        const float a = static_cast<float>((stops[i] >> shift) & 0xFF) / 255.0f;
        const float b = static_cast<float>((stops[i + 1] >> shift) & 0xFF) / 255.0f;
        return a + (b - a) * f;
    };
    return {channel(16), channel(8), channel(0)};
}

// Light becomes a channel's value as on the star box: colours kept, approaching white
// only when very bright.
uint32_t Tone(float light) {
    const float value = 1.0f - std::exp(-light * 1.4f);
    return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// A point shows a star's light on fewer pixels than the magnified box did.
constexpr float PointGain = 2.5f;
// Fluxes from which a star is drawn in the next larger size.
constexpr float SizeClassFlux[StarSizeCount - 1] = {0.6f, 1.5f};
// Point sizes on a screen 1080 pixels tall.
constexpr float BasePointSize[StarSizeCount] = {1.0f, 2.0f, 3.0f};
constexpr float BaseScreenHeight = 1080.0f;

}  // namespace

StarDirection GalaxyPole() {
    return Normalised({0.35f, 0.82f, -0.45f});
}

std::vector<Star> GenerateStars(bool moreStars) {
    const StarDirection pole = GalaxyPole();
    StarRandom random(moreStars ? 0x5EEDu : 0x57A5u);
    const size_t count = moreStars ? 24000 : 8000;
    const float bandFraction = moreStars ? 0.8f : 0.45f;
    std::vector<Star> stars;
    stars.reserve(count);
    while (stars.size() < count) {
        const StarDirection d = random.OnSphere();
        const float latitude = std::asin(std::clamp(Dot(d, pole), -1.0f, 1.0f));
        const float accept =
            (1.0f - bandFraction) + bandFraction * std::exp(-(latitude / 0.3f) * (latitude / 0.3f));
        const float t = random.NextFloat();
        const float temperature = random.NextFloat();
        if (random.NextFloat() > accept) {
            continue;
        }
        const float flux = 0.1f * std::pow(30.0f, std::pow(t, 5.0f));
        const Tint tint = StarTint(0.15f + 0.7f * temperature * temperature + 0.1f * t);
        stars.push_back(Star{d, flux, tint.red, tint.green, tint.blue});
    }
    return stars;
}

int StarSizeClass(float flux) {
    int sizeClass = 0;
    while (sizeClass < StarSizeCount - 1 && flux >= SizeClassFlux[sizeClass]) {
        ++sizeClass;
    }
    return sizeClass;
}

float StarPointSize(int sizeClass, uint32_t screenHeight) {
    const int k = std::clamp(sizeClass, 0, StarSizeCount - 1);
    const float scale = static_cast<float>(screenHeight) / BaseScreenHeight;
    return std::max(1.0f, std::round(BasePointSize[k] * scale));
}

StarPoints BuildStarPoints(const std::vector<Star>& stars) {
    StarPoints points;
    points.vertices.reserve(stars.size());
    for (int sizeClass = 0; sizeClass < StarSizeCount; ++sizeClass) {
        for (const Star& star : stars) {
            if (StarSizeClass(star.flux) != sizeClass) {
                continue;
            }
            const float light = star.flux * PointGain;
            const uint32_t colour = 0xFF000000u | (Tone(star.red * light) << 16) |
                                    (Tone(star.green * light) << 8) | Tone(star.blue * light);
            const StarDirection p = Scaled(star.direction, StarDistance);
            points.vertices.push_back(StarVertex{p.x, p.y, p.z, colour});
            ++points.counts[sizeClass];
        }
    }
    return points;
}
