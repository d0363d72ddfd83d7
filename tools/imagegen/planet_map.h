#pragma once

#include <functional>

#include "colour.h"
#include "image.h"
#include "noise.h"

// A texel of a planet map as the sphere builder wraps it: u runs along the longitude
// (east to the right when the globe is seen from outside), v from the north pole (top
// row) to the south pole (bottom row). `dir` is the texel's point on the unit sphere,
// so features drawn from it meet seamlessly at u = 0/1 and close at the poles.
struct SurfacePoint {
    float u;
    float v;
    float latitude;   // degrees, +90 at the north pole
    float longitude;  // degrees, 0..360 from the left edge of the map
    Vec3 dir;
};

using SurfacePainter = std::function<Colour(const SurfacePoint&)>;

// Paints a width x height map by calling `painter` once per texel centre.
Image PaintPlanetMap(int width, int height, const SurfacePainter& painter);

// Angular distance in degrees between two longitudes, signed, in -180..180.
float LongitudeDelta(float longitude, float centre);

// A soft elliptical spot: 1 at the centre, falling to 0 at the edge, in degrees.
float SpotMask(const SurfacePoint& p, float centreLatitude, float centreLongitude, float halfWidth,
               float halfHeight, float softness);
