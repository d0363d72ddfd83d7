// Prints where each planet is on a date: its heliocentric ecliptic longitude and
// latitude (J2000, degrees) and its distance from the Sun (au), from the same code that
// places the planets of the saver's "today's sky".
//   celestra-sky YYYY-MM-DD[THH:MM]     (UTC)
#include <cmath>
#include <cstdio>

#include "scene/planet_ephemeris.h"
#include "scene/planet_record.h"
#include "util/julian_day.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

const char* const names[BodyCount] = {"Sun",     "Pluto", "Neptune", "Uranus", "Saturn",
                                      "Jupiter", "Mars",  "Earth",   "Venus",  "Mercury"};

void PrintPlanet(int body, const EclipticVector& p) {
    const double distance = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    double longitude = std::atan2(p.y, p.x) * 180.0 / Pi;
    longitude += longitude < 0.0 ? 360.0 : 0.0;
    const double latitude = std::asin(p.z / distance) * 180.0 / Pi;
    std::printf("%-8s %9.3f %8.3f %9.4f\n", names[body], longitude, latitude, distance);
}

}  // namespace

int main(int argc, char** argv) {
    double day = 0.0;
    if (argc != 2 || !ParseUtcDate(argv[1], day)) {
        std::fprintf(stderr, "usage: %s YYYY-MM-DD[THH:MM]   (UTC, a date from -2999 to 3000)\n", argv[0]);
        return 2;
    }
    EclipticVector position;
    if (!PlanetPosition(EarthIndex, day, position)) {
        std::fprintf(stderr, "%s is outside 3000 BC to 3000 AD, the span of the planets' tables\n", argv[1]);
        return 1;
    }
    std::printf("Julian day %.4f; heliocentric, ecliptic and equinox of J2000\n", day);
    std::printf("%-8s %9s %8s %9s\n", "planet", "longitude", "latitude", "distance");
    for (int body = MercuryIndex; body > SunIndex; --body) {
        PlanetPosition(body, day, position);
        PrintPlanet(body, position);
    }
    return 0;
}
