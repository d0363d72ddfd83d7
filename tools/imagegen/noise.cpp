#include "noise.h"

#include <cmath>

Vec3 Normalize(Vec3 v) {
    const float len = std::sqrt(Dot(v, v));
    return len > 0.0f ? v * (1.0f / len) : Vec3{0, 0, 1};
}

uint32_t HashU32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

uint32_t Random::NextU32() {
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

float Random::NextFloat() {
    return static_cast<float>(NextU32() >> 8) * (1.0f / 16777216.0f);
}

Vec3 Random::OnSphere() {
    const float z = Range(-1.0f, 1.0f);
    const float a = Range(0.0f, 6.2831853f);
    const float r = std::sqrt(std::fmax(0.0f, 1.0f - z * z));
    return Vec3{r * std::cos(a), r * std::sin(a), z};
}

namespace {

// A fixed permutation of 0..255 (classic gradient noise), drawn once from a fixed seed.
struct Permutation {
    uint8_t table[512];
    Permutation() {
        uint8_t p[256];
        for (int i = 0; i < 256; ++i) {
            p[i] = static_cast<uint8_t>(i);
        }
        Random random(0xC0FFEEu);
        for (int i = 255; i > 0; --i) {
            const int j = static_cast<int>(random.NextU32() % static_cast<uint32_t>(i + 1));
            const uint8_t t = p[i];
            p[i] = p[j];
            p[j] = t;
        }
        for (int i = 0; i < 512; ++i) {
            table[i] = p[i & 255];
        }
    }
};

const Permutation& Perm() {
    static const Permutation permutation;
    return permutation;
}

float GradientDot(uint8_t hash, float x, float y, float z) {
    // The twelve edge directions of a cube (and four repeated), as in improved Perlin noise.
    switch (hash & 15u) {
        case 0:
            return x + y;
        case 1:
            return -x + y;
        case 2:
            return x - y;
        case 3:
            return -x - y;
        case 4:
            return x + z;
        case 5:
            return -x + z;
        case 6:
            return x - z;
        case 7:
            return -x - z;
        case 8:
            return y + z;
        case 9:
            return -y + z;
        case 10:
            return y - z;
        case 11:
            return -y - z;
        case 12:
            return x + y;
        case 13:
            return -x + y;
        case 14:
            return -y + z;
        default:
            return -y - z;
    }
}

float Fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

}  // namespace

float Noise3(Vec3 p, uint32_t seed) {
    // Each seed reads the lattice at its own offset, so different seeds give unrelated noise.
    const uint32_t h = HashU32(seed);
    const float fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    const int ix = (static_cast<int>(fx) + static_cast<int>(h & 255u)) & 255;
    const int iy = (static_cast<int>(fy) + static_cast<int>((h >> 8) & 255u)) & 255;
    const int iz = (static_cast<int>(fz) + static_cast<int>((h >> 16) & 255u)) & 255;
    const float x = p.x - fx, y = p.y - fy, z = p.z - fz;
    const float u = Fade(x), v = Fade(y), w = Fade(z);
    const uint8_t* perm = Perm().table;
    const int a = perm[ix] + iy, b = perm[ix + 1] + iy;
    const int aa = perm[a] + iz, ab = perm[a + 1] + iz, ba = perm[b] + iz, bb = perm[b + 1] + iz;
    const float x00 = Lerp(GradientDot(perm[aa], x, y, z), GradientDot(perm[ba], x - 1, y, z), u);
    const float x10 = Lerp(GradientDot(perm[ab], x, y - 1, z), GradientDot(perm[bb], x - 1, y - 1, z), u);
    const float x01 =
        Lerp(GradientDot(perm[aa + 1], x, y, z - 1), GradientDot(perm[ba + 1], x - 1, y, z - 1), u);
    const float x11 =
        Lerp(GradientDot(perm[ab + 1], x, y - 1, z - 1), GradientDot(perm[bb + 1], x - 1, y - 1, z - 1), u);
    return Lerp(Lerp(x00, x10, v), Lerp(x01, x11, v), w);
}

float Fbm3(Vec3 p, int octaves, uint32_t seed) {
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += Noise3(p, seed + static_cast<uint32_t>(i) * 1013u) * amplitude;
        total += amplitude;
        p = p * 2.03f + Vec3{17.1f, 3.7f, 9.3f};
        amplitude *= 0.5f;
    }
    return sum / total * 1.6f;
}

float WarpedFbm3(Vec3 p, int octaves, float warp, uint32_t seed) {
    const Vec3 offset = {Fbm3(p, 3, seed + 101u), Fbm3(p + Vec3{5.2f, 1.3f, 7.7f}, 3, seed + 202u),
                         Fbm3(p + Vec3{2.9f, 8.1f, 4.4f}, 3, seed + 303u)};
    return Fbm3(p + offset * warp, octaves, seed);
}

float Clamp01(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

float SmoothStep(float edge0, float edge1, float x) {
    const float t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float Lerp(float a, float b, float t) {
    return a + (b - a) * t;
}
