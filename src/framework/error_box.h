#pragma once

#include "framework/screen_projection.h"

// The message box that drifts across a monitor in error mode, in client pixels.
struct ErrorBox {
    float x;
    float y;
    float width;  // 0: not placed yet
    float height;
    float speedX;  // pixels per second
    float speedY;
};

constexpr int ErrorBoxWidth = 300;
constexpr int ErrorBoxHeight = 150;

// First placement: a preview's box is the whole window and stays still; elsewhere a
// 300 x 150 box starts centred and crosses the screen in ten seconds horizontally and
// twenty vertically.
ErrorBox PlaceErrorBox(const ScreenRect& bounds, bool preview);

// Moves the box by `seconds`, reversing a direction before the box would leave the
// bounds on that side.
void MoveErrorBox(ErrorBox& box, const ScreenRect& bounds, float seconds);

// The box's pixel rectangle, truncated to integers.
ScreenRect ErrorBoxRect(const ErrorBox& box);
