#include "scene/todays_sky.h"

#include <cmath>

#include "settings/orrery_settings.h"

namespace {

constexpr double OrbitRefreshDays = 365.25;
constexpr double TwoPi = 6.283185307179586;

// The longitude of perihelion: where the mean anomaly is counted from.
double PerihelionLongitude(const OrbitalElements& elements) {
    return elements.argumentOfPerihelion + elements.ascendingNode;
}

}  // namespace

void TodaysSky::Start(double present, double time) {
    clock_.Start(present, time);
    LayOutOrbits(present);
    PlacePlanets(present);
}

bool TodaysSky::Advance(double time, double daysPerSecond, double present) {
    const double day = clock_.DayAt(time, daysPerSecond, present);
    const bool layOut = !(std::fabs(day - orbitsDay_) < OrbitRefreshDays);
    if (layOut) {
        LayOutOrbits(day);
    }
    PlacePlanets(day);
    return layOut;
}

void TodaysSky::LayOutOrbits(double day) {
    orbitsDay_ = day;
    for (int body = PlutoIndex; body <= MercuryIndex; ++body) {
        if (PlanetElements(body, day, elements_[body])) {
            orbits_[body] = SkyOrbit(elements_[body]);
        }
    }
}

// The mean longitude of the day, counted from the laid-out perihelion, gives the place on
// the laid-out ellipse.
void TodaysSky::PlacePlanets(double day) {
    day_ = day;
    for (int body = PlutoIndex; body <= MercuryIndex; ++body) {
        OrbitalElements now;
        if (!PlanetElements(body, day, now)) {
            continue;
        }
        const OrbitalElements& laidOut = elements_[body];
        const double meanAnomaly =
            std::remainder(now.meanAnomaly + PerihelionLongitude(now) - PerihelionLongitude(laidOut), TwoPi);
        const double anomaly = SolveKepler(meanAnomaly, laidOut.eccentricity);
        positions_[body] = OrbitPoint(orbits_[body], static_cast<float>(anomaly));
        distancesAu_[body] = laidOut.semiMajorAxis * (1.0 - laidOut.eccentricity * std::cos(anomaly));
    }
}

double DaysPerSecond(int32_t timeSpeed) {
    switch (timeSpeed) {
        case TimeSpeedRealTime:
            return 1.0 / 86400.0;
        case TimeSpeedHour:
            return 1.0 / 24.0;
        case TimeSpeedWeek:
            return 7.0;
        case TimeSpeedMonth:
            return 365.2425 / 12.0;  // the Gregorian calendar's mean month
        default:
            return 1.0;
    }
}

bool ShowsTimeOfDay(int32_t timeSpeed) {
    return timeSpeed == TimeSpeedRealTime || timeSpeed == TimeSpeedHour;
}
