#include "util/screen_dpi.h"

#include <algorithm>
#include <cmath>

uint32_t UsableDpi(uint32_t dpi) {
    if (dpi == 0) {
        return DefaultDpi;
    }
    return std::clamp(dpi, SmallestDpi, LargestDpi);
}

float DpiScale(uint32_t dpi) {
    return static_cast<float>(UsableDpi(dpi)) / static_cast<float>(DefaultDpi);
}

float ScaledPixels(float pixels, uint32_t dpi, float least) {
    return std::max(least, std::round(pixels * DpiScale(dpi)));
}
