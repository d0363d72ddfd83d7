#pragma once

#include <cstdint>
#include <vector>

#include "noise.h"

// Impact craters stamped into a height field on the grid of a planet map, with bright
// rays around a few young craters. The map's grid is the one of PaintPlanetMap.
class CraterField {
public:
    struct Options {
        int count;
        float minRadius;  // degrees of arc
        float maxRadius;
        int rayedCraters;  // the largest few young craters get ray systems
        uint32_t seed;
    };

    CraterField(int width, int height, const Options& options);

    // Relief lighting of the texel (about 1 on flat ground), the sun low in the west.
    float Shade(int x, int y) const;
    // Extra brightness of crater rays and fresh crater floors, 0..1.
    float Rays(int x, int y) const { return rays_[Index(x, y)]; }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
    void Stamp(Vec3 centre, float radius, float rayStrength, uint32_t seed);

    int width_;
    int height_;
    std::vector<Vec3> dirs_;
    std::vector<float> heights_;
    std::vector<float> rays_;
};
