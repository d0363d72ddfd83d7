#include <windows.h>
#include <mmsystem.h>

#include "util/win32/frame_timer.h"

namespace {

class SystemClock final : public TimerClock {
public:
    bool CounterFrequency(int64_t* ticksPerSecond) override {
        LARGE_INTEGER frequency;
        if (!QueryPerformanceFrequency(&frequency)) {
            return false;
        }
        *ticksPerSecond = frequency.QuadPart;
        return true;
    }
    int64_t CounterTicks() override {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now.QuadPart;
    }
    uint32_t Milliseconds() override { return timeGetTime(); }
};

}  // namespace

double FrameTimer(int32_t command) {
    static SystemClock clock;
    static FrameTimerState state(clock);
    return state.Command(command);
}
