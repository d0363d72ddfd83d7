#include "framework/frame_stats.h"

#include <cstdio>
#include <cstring>

const char* DepthStencilSuffix(uint32_t depthStencilFormat) {
    switch (depthStencilFormat) {
        case 80:
            return " (D16)";
        case 73:
            return " (D15S1)";
        case 77:
            return " (D24X8)";
        case 75:
            return " (D24S8)";
        case 79:
            return " (D24X4S4)";
        case 71:
            return " (D32)";
        default:
            return "";
    }
}

void FormatFrameStats(char* text, std::size_t size, float framesPerSecond, uint32_t width, uint32_t height,
                      uint32_t bitsPerPixel, const char* depthSuffix) {
    if (text == nullptr || size == 0) {
        return;
    }
    std::snprintf(text, size, "%.02f fps (%ux%ux%u)%s", static_cast<double>(framesPerSecond), width, height,
                  bitsPerPixel, depthSuffix != nullptr ? depthSuffix : "");
}

bool FrameRateGate::CountFrame(double now, float* framesPerSecond) {
    if (!started_) {
        started_ = true;
        intervalStart_ = now;
        return false;
    }
    ++frames_;
    const double seconds = now - intervalStart_;
    if (seconds <= 1.0) {
        return false;
    }
    *framesPerSecond = static_cast<float>(frames_ / seconds);
    intervalStart_ = now;
    frames_ = 0;
    return true;
}

void FrameRateGate::Restart() {
    started_ = false;
    frames_ = 0;
}
