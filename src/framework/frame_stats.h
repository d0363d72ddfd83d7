#pragma once

#include <cstddef>
#include <cstdint>

// Suffix naming a depth-stencil format (Direct3D 8 D3DFORMAT value), e.g. " (D16)";
// empty for a format without a name.
const char* DepthStencilSuffix(uint32_t depthStencilFormat);

// Writes "%.02f fps (WxHxB)" and the optional depth suffix into `text`, never more than
// `size` bytes, always terminated.
void FormatFrameStats(char* text, std::size_t size, float framesPerSecond, uint32_t width, uint32_t height,
                      uint32_t bitsPerPixel, const char* depthSuffix);

// Counts frames and gives a new frame rate once more than a second has passed since the
// last one. The first frame only starts the count, so the first rate comes after a whole
// second of frames rather than at once (from a count begun nowhere in particular).
class FrameRateGate {
public:
    // Counts one frame at `now` seconds. True, with the rate over the interval in
    // `framesPerSecond`, when the interval has passed one second; the next interval then
    // begins.
    bool CountFrame(double now, float* framesPerSecond);

    // Forgets the interval under way: the next frame starts a new count, as the first does.
    void Restart();

private:
    bool started_ = false;
    double intervalStart_ = 0.0;
    uint32_t frames_ = 0;
};
