#pragma once

#include <cstdint>

#include "d3dx/d3dx_math.h"
#include "scene/orbit_ellipse.h"
#include "scene/planet_ephemeris.h"
#include "scene/planet_record.h"
#include "scene/sky_clock.h"

// The arrangement of today's sky: the planets where they are on a simulated date, each on
// its true orbit. The orbits are laid out from the elements of one day and laid out again
// once the date has moved a year from it (their shapes change by far less than a line's
// width in a year); meanwhile each planet moves on its laid-out ellipse, at the mean
// longitude of the date, so it never leaves its line.
class TodaysSky {
public:
    // The date begins at `present` (a Julian day, UTC) at application time `time`.
    void Start(double present, double time);
    // The date at application time `time`, running at `daysPerSecond`; past the tables' end
    // it starts again at `present`. True when the orbits were laid out anew.
    bool Advance(double time, double daysPerSecond, double present);

    double Day() const { return day_; }
    const OrbitEllipse& Orbit(int body) const { return orbits_[body]; }
    // Where a planet is, in scene units, and how far from the Sun, in au.
    const D3DXVECTOR3& Position(int body) const { return positions_[body]; }
    double DistanceAu(int body) const { return distancesAu_[body]; }

private:
    void LayOutOrbits(double day);
    void PlacePlanets(double day);

    SkyClock clock_;
    double day_ = JulianDayJ2000;
    double orbitsDay_ = JulianDayJ2000;
    OrbitalElements elements_[BodyCount] = {};  // of orbitsDay_
    OrbitEllipse orbits_[BodyCount] = {};
    D3DXVECTOR3 positions_[BodyCount] = {};
    double distancesAu_[BodyCount] = {};
};

// The days a second of application time moves the date, for each "Time Speed".
double DaysPerSecond(int32_t timeSpeed);
// Whether the date on screen needs its time of day: only where the minutes move slowly
// enough to be read.
bool ShowsTimeOfDay(int32_t timeSpeed);
