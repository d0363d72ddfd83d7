#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "d3dx/d3dx_math.h"
#include "image/decoded_image.h"
#include "scene/scene_vertices.h"

// Smooth lines of any shape: a polyline of 3D points becomes a camera-facing ribbon, a
// band lying across the line of sight whose width on the screen is the same number of
// pixels near and far. Its texture coordinate u runs across the band, 0 on one side and
// 1 on the other, and the soft-edged texture (LineEdgeImage) gives each pixel the share
// of it that a line of the wanted width covers: edges without steps that do not crawl as
// the camera moves.
//
// The bands are blended and do not write depth, so they are drawn after the opaque
// planets. The Sun's glow is blended too: the parts of a band nearer than the Sun are
// drawn after it and the rest before, so each band is parted where it crosses the plane
// of the Sun (RibbonView.splitDepth).

// How the ribbons of one screen face its camera.
struct RibbonView {
    D3DXVECTOR3 eye;
    D3DXVECTOR3 forward;    // the direction of view, unit length
    float focalPixels;      // pixels a unit spans at depth 1 on this screen
    float halfWidthPixels;  // half the band's width (RibbonHalfWidthPixels)
    float nearDepth;        // points nearer than this are banded as if at this depth
    float splitDepth;       // depth of the plane that parts behind from in front
};

// Two triangle strips of LineVertex, each drawn with one call of size() - 2 triangles:
// the ribbons beyond the split plane and those before it. Separate pieces of a strip are
// joined by repeating a vertex at each end, which gives triangles of no area.
struct RibbonStrips {
    std::vector<LineVertex> behind;
    std::vector<LineVertex> inFront;

    void Clear() {
        behind.clear();
        inFront.clear();
    }
};

// The ribbon of the `count` points in `colour` (ARGB) added to `strips`. A polyline
// whose last point repeats its first is closed: it turns smoothly there. Fewer than two
// points give nothing; repeated points and a line seen end-on still give finite vertices.
void AppendRibbon(const D3DXVECTOR3* points, std::size_t count, uint32_t colour, const RibbonView& view,
                  RibbonStrips& strips);

// A line `coreWidthPixels` wide, smoothed over one pixel, needs a band this wide on each
// side of its middle: 1 pixel for a line of 1 pixel.
float RibbonHalfWidthPixels(float coreWidthPixels);

// The share of a pixel whose centre lies `fromMiddle` pixels from the middle of a line
// `coreWidthPixels` wide that the line covers, 0..1: the line seen through a box filter of
// one pixel.
float LineCoverage(float fromMiddle, float coreWidthPixels);

// The soft-edged texture of a line `coreWidthPixels` wide: white, its alpha the line's
// coverage across the band (u from 0 to 1), the same in every row; square, for devices
// that take nothing else.
constexpr uint32_t LineEdgeImageSize = 64;
DecodedImage LineEdgeImage(float coreWidthPixels);
