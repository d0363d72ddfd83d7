#pragma once

#include <cstdint>

// Whether a lost device whose Reset failed is worth trying again. On Windows a device is
// lost, and its first resets may fail, while the lock screen, Ctrl+Alt+Del, a UAC prompt
// or a remote desktop takes the screen, or while a DisplayPort monitor wakes. So the run
// keeps trying as long as the device reports itself lost; it gives up only when resets
// keep failing while the device says it can be reset: three tries or more, over three
// seconds or more. A successful reset starts the count again.
class ResetRetry {
public:
    static constexpr uint32_t TriesBeforeGivingUp = 3;
    static constexpr double SecondsBeforeGivingUp = 3.0;

    // A Reset failed at `now` seconds; `resettable` says the device still reports that it
    // can be reset (rather than lost). True when the run should give up.
    bool Failed(double now, bool resettable);
    void Succeeded() { failures_ = 0; }

private:
    uint32_t failures_ = 0;
    double firstFailure_ = 0.0;
};
