#pragma once

#include <cstdint>

struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// Bounds of an off-centre perspective at the near plane, in the argument order of
// D3DXMatrixPerspectiveOffCenterLH.
struct ProjectionBounds {
    float left;
    float right;
    float bottom;
    float top;
};

// The frustum of one screen as a part of `reference` (the union of all rendered screens,
// or the screen itself when every screen shows the same picture), so that adjacent
// monitors together show one picture. The shorter side of the reference spans one near
// plane unit. The value from the screen's top edge is the bottom bound: screen y grows
// downwards while view y grows upwards.
ProjectionBounds ComputeProjectionBounds(const ScreenRect& current, const ScreenRect& reference,
                                         float nearPlane);
