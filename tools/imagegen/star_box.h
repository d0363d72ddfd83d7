#pragma once

#include <array>

#include "image.h"
#include "noise.h"

// The six 512 x 512 faces of the star box in face order +x, -x, +y, -y, +z, -z, each
// laid out as the box's vertices map it: the diffuse light of the Milky Way and two
// nebulae. The stars are not in them: the saver draws them as sharp points over the box
// (scene/star_field.h). The dense set ("show more stars") has a brighter Milky Way and
// its unresolved star dust, placed by direction and projected onto every face that sees
// it. The outer texels of each face lie on its edges, so neighbouring faces share their
// edge texels and the cube, sampled clamped to each face, shows no seams.
std::array<Image, 6> DrawStarBox(bool dense);

// The direction from the box's centre through the point (u, v) of a face (u, v in 0..1;
// texel x of a face lies at u = x / 511).
Vec3 StarBoxDirection(int face, float u, float v);
