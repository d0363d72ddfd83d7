#pragma once

#include <cmath>

// An angle of the motion, brought into [-pi, pi] in double before it becomes a float.
// The clocks behind the angles keep growing while the saver runs: a float of seconds
// steps by 7.8 ms after a day and by 0.25 s after a month, so every angle is worked out
// from the double clock and only its remainder, small and exact, goes to single
// precision.
inline float ReducedAngle(double radians) {
    constexpr double FullTurn = 6.283185307179586476925;
    return static_cast<float>(std::remainder(radians, FullTurn));
}
