#pragma once

#include <cstdint>
#include <vector>

// The stars of the sky, drawn as points over the star box: sharp at every screen size,
// where the box's 512-texel faces, magnified several times, would show them as soft
// blobs. The box itself keeps the diffuse light of the Milky Way, the nebulae and, in the
// denser sky, the unresolved star dust. The stars come from fixed seeds, so every run and
// every screen has the same sky; they crowd towards the Milky Way's plane, whose pole
// the image tool shares to paint the band.

// A direction from the centre of the star box.
struct StarDirection {
    float x, y, z;
};

// The pole of the Milky Way's plane, a unit vector.
StarDirection GalaxyPole();

// A star: its direction (a unit vector), its peak brightness (0.1 to 3, above 1 the
// brightest few) and its colour from hot blue-white to cool orange, as 0..1 RGB.
struct Star {
    StarDirection direction;
    float flux;
    float red, green, blue;
};

// The stars of the sky: 8000, or with "show more stars" 24000, more of them near the
// Milky Way. Many faint ones, few bright.
std::vector<Star> GenerateStars(bool moreStars);

// Stars are drawn in a few sizes, brighter ones larger; the sizes grow with the screen.
constexpr int StarSizeCount = 3;
int StarSizeClass(float flux);
// The point size, whole pixels, of a size class on a screen `screenHeight` pixels tall.
float StarPointSize(int sizeClass, uint32_t screenHeight);

// A star as a point: position (the direction at StarDistance) and ARGB colour.
struct StarVertex {
    float x, y, z;
    uint32_t diffuse;
};
constexpr uint32_t StarVertexFvf = 0x042;  // D3DFVF_XYZ | D3DFVF_DIFFUSE
static_assert(sizeof(StarVertex) == 16, "StarVertex stride");

// Inside the star box (half-edge 1000) and the far plane, beyond everything else.
constexpr float StarDistance = 900.0f;

// The points of every star, those of size class 0 first, then 1, then 2, and how many of
// each there are.
struct StarPoints {
    std::vector<StarVertex> vertices;
    int counts[StarSizeCount] = {};
};
StarPoints BuildStarPoints(const std::vector<Star>& stars);
