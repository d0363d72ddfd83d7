#include "framework/frame_pacing.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t UnknownRefreshHz = 60;
constexpr double BatteryFramesPerSecond = 30.0;
constexpr int MaxDivisor = 4;
constexpr int FirstRetryWait = 8;  // seconds at a slower rate before a faster one is tried
constexpr int LongestRetryWait = 64;
// The loop waits in whole milliseconds, rounded up, so a frame of a machine that keeps up
// may start up to a millisecond after it was due, and the system timer adds its own.
constexpr int64_t WaitRounding = 1000;

}  // namespace

double FrameRateLimit(uint32_t slowestRefreshHz, bool savingBattery) {
    const double screen = slowestRefreshHz > 1 ? slowestRefreshHz : UnknownRefreshHz;
    return savingBattery ? std::min(screen, BatteryFramesPerSecond) : screen;
}

void FramePacer::SetRate(double framesPerSecond) {
    limit_ = std::max(framesPerSecond, 1.0);
    retryWait_ = FirstRetryWait;
    UseDivisor(1);
}

void FramePacer::UseDivisor(int divisor) {
    divisor_ = divisor;
    interval_ = static_cast<int64_t>(std::llround(1000000.0 * divisor_ / limit_));
    framesJudged_ = 0;
    lateFrames_ = 0;
}

// A frame is never due more than an interval ahead: a clock that went back (a millisecond
// counter that wrapped) starts a new rhythm rather than a long wait.
int64_t FramePacer::Wait(int64_t now) const {
    return (started_ && due_ - now <= interval_) ? std::max<int64_t>(due_ - now, 0) : 0;
}

void FramePacer::FrameStarted(int64_t now) {
    if (started_) {
        // Late by a quarter of an interval more than the wait's rounding: at high refresh
        // rates a quarter alone is less than a millisecond.
        lateFrames_ += (now - due_ > interval_ / 4 + WaitRounding) ? 1 : 0;
        if (++framesJudged_ >= Rate()) {
            JudgeSecond();
        }
    }
    if (!started_ || due_ + interval_ <= now || due_ - now > interval_) {
        due_ = now + interval_;
    } else {
        due_ += interval_;
    }
    started_ = true;
}

void FramePacer::JudgeSecond() {
    const bool behind = lateFrames_ * 4 > framesJudged_;
    if (behind && divisor_ < MaxDivisor) {
        // A faster rate that was just tried and failed is tried again later each time.
        if (secondsToRetry_ < 0) {
            retryWait_ = std::min(retryWait_ * 2, LongestRetryWait);
        }
        secondsToRetry_ = retryWait_;
        UseDivisor(divisor_ + 1);
    } else if (!behind && divisor_ > 1 && --secondsToRetry_ <= 0) {
        secondsToRetry_ = -1;  // marks the second at the faster rate as a trial
        UseDivisor(divisor_ - 1);
    } else {
        if (!behind && secondsToRetry_ < 0) {
            secondsToRetry_ = 0;  // the trial held
            retryWait_ = FirstRetryWait;
        }
        framesJudged_ = 0;
        lateFrames_ = 0;
    }
}
