#include "scene/still_text_drift.h"

#include <cmath>

#include "util/screen_dpi.h"

namespace {

constexpr double TwoPi = 6.283185307179586;
constexpr double ClockTurn = 4294967296.0;  // 2^32 ms, where the clock wraps

// Cycles of each axis in one turn of the clock. An axis moves fastest through its middle,
// at 2 pi A k / 2^32 pixels a millisecond for a half box of A pixels: with A = 8, up to
// 1424 cycles keep that at one pixel a minute. Each screen has its own pair.
constexpr uint32_t CyclesX[] = {1409, 1291, 1361, 1213, 1327, 1249, 1399, 1187, 1303, 1231};
constexpr uint32_t CyclesY[] = {1117, 1373, 1151, 1297, 1093, 1381, 1129, 1319, 1171, 1259};
constexpr uint32_t ScreenCount = sizeof(CyclesX) / sizeof(CyclesX[0]);
constexpr uint32_t PhaseStepX = 0x9E3779B9u;  // screens start at scattered points of their paths
constexpr uint32_t PhaseStepY = 0x7F4A7C15u;

// One axis: the clock's turn split into `cycles` sine waves, in whole pixels. The phase
// is kept in 32 bits, which wrap exactly as the clock does.
float Axis(uint32_t milliseconds, uint32_t cycles, uint32_t phase, float halfBox) {
    const uint32_t turn = milliseconds * cycles + phase;
    const double angle = TwoPi * static_cast<double>(turn) / ClockTurn;
    return static_cast<float>(std::lround(halfBox * std::sin(angle)));
}

// A mirror at the edge, which lies -edge from the group's own place.
float Mirrored(float offset, float place) {
    return place + offset < 0.0f ? -2.0f * place - offset : offset;
}

}  // namespace

TextOffset StillTextDrift(uint32_t milliseconds, uint32_t screen, uint32_t dpi) {
    const float halfBox = ScaledPixels(StillTextDriftPixels, UsableDpi(dpi));
    const uint32_t path = screen % ScreenCount;
    return TextOffset{Axis(milliseconds, CyclesX[path], screen * PhaseStepX, halfBox),
                      Axis(milliseconds, CyclesY[path], screen * PhaseStepY, halfBox)};
}

TextOffset KeepOnScreen(TextOffset offset, float left, float top) {
    return TextOffset{Mirrored(offset.x, left), Mirrored(offset.y, top)};
}
