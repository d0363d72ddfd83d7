#pragma once

// Where the planets are on a date: heliocentric positions from mean Keplerian elements
// that change linearly with time, the approximation published for the major planets.
// Two tables are used: a close fit for 1800 to 2050 (errors well under a degree), and
// outside it a looser one for 3000 BC to 3000 AD, whose mean anomalies of the outer
// planets carry extra periodic terms. Dates beyond that have no answer.
//
// Time is a Julian day on the tables' own scale; UTC is a minute off it, which moves no
// planet visibly. Angles are radians, lengths astronomical units. The ecliptic frame is
// that of J2000: x towards the equinox, y towards longitude 90 degrees, z to the north.

// Kepler's elements of one orbit at one moment.
struct OrbitalElements {
    double semiMajorAxis;  // au
    double eccentricity;
    double inclination;           // to the ecliptic
    double argumentOfPerihelion;  // from the ascending node, in the orbit's plane
    double ascendingNode;         // longitude of the ascending node
    double meanAnomaly;           // reduced to -pi..pi
};

struct EclipticVector {
    double x, y, z;
};

constexpr double JulianDayJ2000 = 2451545.0;
// The tables' spans, each from the first moment of its first year to the first moment
// after its last: 3000 BC to 3000 AD (Julian calendar before 1582), and 1800 to 2050.
constexpr double EphemerisSpanStart = 625673.5;
constexpr double EphemerisSpanEnd = 2817152.5;
constexpr double CloseTableStart = 2378496.5;
constexpr double CloseTableEnd = 2470172.5;

// The elements of a planet (a body index of the catalogue, Pluto to Mercury) on a day.
// False for the Sun, an unknown index or a day outside the tables' span.
bool PlanetElements(int body, double julianDay, OrbitalElements& elements);

// The eccentric anomaly E of an ellipse of eccentricity e (0 <= e < 1) for a mean
// anomaly M: the root of E - e sin E = M, by Newton's method from a start that converges
// for every M.
double SolveKepler(double meanAnomaly, double eccentricity);

// The orbit's two axes in the ecliptic frame: `perihelionAxis` points from the Sun to
// the perihelion, `motionAxis` 90 degrees ahead in the direction of motion; both unit.
void OrbitAxes(const OrbitalElements& elements, EclipticVector& perihelionAxis, EclipticVector& motionAxis);

// The point of the orbit at eccentric anomaly E, the Sun at the origin (a focus).
EclipticVector PositionOnOrbit(const OrbitalElements& elements, double eccentricAnomaly);

// A planet's heliocentric position on a day; false where PlanetElements is.
bool PlanetPosition(int body, double julianDay, EclipticVector& position);
