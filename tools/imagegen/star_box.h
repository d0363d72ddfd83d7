#pragma once

#include <array>

#include "image.h"
#include "noise.h"

// The six 512 x 512 faces of the star box in face order +x, -x, +y, -y, +z, -z, each
// laid out as the box's vertices map it. Stars are placed by direction and projected
// onto every face that sees them, so the cube's edges are seamless. The dense set
// ("show more stars") has several times the stars and a brighter Milky Way.
std::array<Image, 6> DrawStarBox(bool dense);

// The direction from the box's centre through texel (u, v) of a face (u, v in 0..1).
Vec3 StarBoxDirection(int face, float u, float v);
