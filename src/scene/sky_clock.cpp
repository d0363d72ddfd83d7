#include "scene/sky_clock.h"

#include "scene/planet_ephemeris.h"

void SkyClock::Start(double present, double time) {
    startDay_ = present;
    startTime_ = time;
}

double SkyClock::DayAt(double time, double daysPerSecond, double present) {
    const double day = startDay_ + (time - startTime_) * daysPerSecond;
    if (day >= EphemerisSpanStart && day < EphemerisSpanEnd) {
        return day;
    }
    Start(present, time);
    return present;
}
