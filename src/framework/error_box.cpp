#include "framework/error_box.h"

ErrorBox PlaceErrorBox(const ScreenRect& bounds, bool preview) {
    const int32_t width = bounds.right - bounds.left;
    const int32_t height = bounds.bottom - bounds.top;
    ErrorBox box = {};
    if (preview) {
        box.width = static_cast<float>(width);
        box.height = static_cast<float>(height);
        return box;
    }
    box.x = static_cast<float>(bounds.right + bounds.left - ErrorBoxWidth) / 2.0f;
    box.y = static_cast<float>(bounds.bottom + bounds.top - ErrorBoxHeight) / 2.0f;
    box.width = static_cast<float>(ErrorBoxWidth);
    box.height = static_cast<float>(ErrorBoxHeight);
    box.speedX = static_cast<float>(width) / 10.0f;
    box.speedY = static_cast<float>(height) / 20.0f;
    return box;
}

void MoveErrorBox(ErrorBox& box, const ScreenRect& bounds, float seconds) {
    const float nextX = box.x + seconds * box.speedX;
    if ((nextX + box.width > static_cast<float>(bounds.right) && box.speedX > 0.0f) ||
        (nextX < static_cast<float>(bounds.left) && box.speedX < 0.0f)) {
        box.speedX = -box.speedX;
    }
    const float nextY = box.y + seconds * box.speedY;
    if ((nextY + box.height > static_cast<float>(bounds.bottom) && box.speedY > 0.0f) ||
        (nextY < static_cast<float>(bounds.top) && box.speedY < 0.0f)) {
        box.speedY = -box.speedY;
    }
    box.x += seconds * box.speedX;
    box.y += seconds * box.speedY;
}

ScreenRect ErrorBoxRect(const ErrorBox& box) {
    return ScreenRect{static_cast<int32_t>(box.x), static_cast<int32_t>(box.y),
                      static_cast<int32_t>(box.x + box.width), static_cast<int32_t>(box.y + box.height)};
}
