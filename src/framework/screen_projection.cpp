#include "framework/screen_projection.h"

ProjectionBounds ComputeProjectionBounds(const ScreenRect& current, const ScreenRect& reference,
                                         float nearPlane) {
    const int32_t centreX = (reference.right + reference.left) / 2;
    const int32_t centreY = (reference.bottom + reference.top) / 2;
    const int32_t width = reference.right - reference.left;
    const int32_t height = reference.bottom - reference.top;
    int32_t size = (height < width) ? height : width;
    if (size <= 0) {
        size = 1;  // an empty (minimised) window must not produce infinite bounds
    }
    const float scale = nearPlane / static_cast<float>(size);
    ProjectionBounds bounds;
    bounds.left = scale * static_cast<float>(current.left - centreX);
    bounds.right = scale * static_cast<float>(current.right - centreX);
    bounds.bottom = scale * static_cast<float>(current.top - centreY);
    bounds.top = scale * static_cast<float>(current.bottom - centreY);
    return bounds;
}
