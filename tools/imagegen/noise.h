#pragma once

#include <cstdint>

// Deterministic pseudo-random sources of the generator. Everything is derived from
// integer hashes and fixed seeds, so each run draws the same images.

struct Vec3 {
    float x, y, z;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline float Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Normalize(Vec3 v);

uint32_t HashU32(uint32_t value);

// A small sequential generator (splitmix-style) for placing stars, craters and the like.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint32_t NextU32();
    float NextFloat();  // 0 <= x < 1
    float Range(float lo, float hi) { return lo + (hi - lo) * NextFloat(); }
    Vec3 OnSphere();  // uniformly distributed unit vector

private:
    uint64_t state_;
};

// Gradient noise in three dimensions, roughly in -1..1, smooth and without seams when
// sampled on a sphere.
float Noise3(Vec3 p, uint32_t seed);

// Sum of `octaves` noise layers, each twice the frequency and half the amplitude of
// the last; normalised to roughly -1..1.
float Fbm3(Vec3 p, int octaves, uint32_t seed);

// Noise displaced by another noise field, for swirls and turbulent clouds.
float WarpedFbm3(Vec3 p, int octaves, float warp, uint32_t seed);

float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float x);
float Lerp(float a, float b, float t);
