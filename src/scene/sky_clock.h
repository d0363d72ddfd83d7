#pragma once

// The simulated date of today's sky. It starts at the present moment and runs at a
// chosen number of days per second of application time, so that it pauses with the
// rest of the motion. Past the span of the planets' tables it starts again at the
// present.
class SkyClock {
public:
    // Begins at the Julian day `present` at application time `time`.
    void Start(double present, double time);
    // The simulated Julian day at `time`; `present` is only read to start again.
    double DayAt(double time, double daysPerSecond, double present);

private:
    double startDay_ = 0.0;
    double startTime_ = 0.0;
};
