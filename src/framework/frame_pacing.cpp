#include "framework/frame_pacing.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t UnknownRefreshHz = 60;
constexpr double BatteryFramesPerSecond = 30.0;

}  // namespace

double FrameRateLimit(uint32_t slowestRefreshHz, bool savingBattery) {
    const double screen = slowestRefreshHz > 1 ? slowestRefreshHz : UnknownRefreshHz;
    return savingBattery ? std::min(screen, BatteryFramesPerSecond) : screen;
}

void FramePacer::SetRate(double framesPerSecond) {
    rate_ = std::max(framesPerSecond, 1.0);
    interval_ = static_cast<int64_t>(std::llround(1000000.0 / rate_));
}

// A frame is never due more than an interval ahead: a clock that went back (a millisecond
// counter that wrapped) starts a new rhythm rather than a long wait.
int64_t FramePacer::Wait(int64_t now) const {
    return (started_ && due_ - now <= interval_) ? std::max<int64_t>(due_ - now, 0) : 0;
}

void FramePacer::FrameStarted(int64_t now) {
    if (!started_ || due_ + interval_ <= now || due_ - now > interval_) {
        due_ = now + interval_;
    } else {
        due_ += interval_;
    }
    started_ = true;
}
