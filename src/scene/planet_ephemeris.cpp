#include "scene/planet_ephemeris.h"

#include <cmath>

#include "scene/planet_record.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double DegreesToRadians = Pi / 180.0;
constexpr double DaysPerCentury = 36525.0;

// One planet's mean elements at J2000 and their change per Julian century: semi-major
// axis (au), eccentricity, inclination, mean longitude, longitude of perihelion and
// longitude of the ascending node (degrees).
struct ElementRow {
    double base[6];
    double rate[6];
};

// The long table's extra terms of the mean anomaly: b T^2 + c cos(f T) + s sin(f T), in
// degrees, T in centuries (f in degrees per century).
struct AnomalyTerms {
    double b, c, s, f;
};

// Rows by body index: 0 the Sun (no row), 1 Pluto ... 9 Mercury. The Earth's row is the
// Earth-Moon barycentre's.
const ElementRow closeTable[BodyCount] = {
    {},
    {{39.48211675, 0.24882730, 17.14001206, 238.92903833, 224.06891629, 110.30393684},
     {-0.00031596, 0.00005170, 0.00004818, 145.20780515, -0.04062942, -0.01183482}},
    {{30.06992276, 0.00859048, 1.77004347, -55.12002969, 44.96476227, 131.78422574},
     {0.00026291, 0.00005105, 0.00035372, 218.45945325, -0.32241464, -0.00508664}},
    {{19.18916464, 0.04725744, 0.77263783, 313.23810451, 170.95427630, 74.01692503},
     {-0.00196176, -0.00004397, -0.00242939, 428.48202785, 0.40805281, 0.04240589}},
    {{9.53667594, 0.05386179, 2.48599187, 49.95424423, 92.59887831, 113.66242448},
     {-0.00125060, -0.00050991, 0.00193609, 1222.49362201, -0.41897216, -0.28867794}},
    {{5.20288700, 0.04838624, 1.30439695, 34.39644051, 14.72847983, 100.47390909},
     {-0.00011607, -0.00013253, -0.00183714, 3034.74612775, 0.21252668, 0.20469106}},
    {{1.52371034, 0.09339410, 1.84969142, -4.55343205, -23.94362959, 49.55953891},
     {0.00001847, 0.00007882, -0.00813131, 19140.30268499, 0.44441088, -0.29257343}},
    {{1.00000261, 0.01671123, -0.00001531, 100.46457166, 102.93768193, 0.0},
     {0.00000562, -0.00004392, -0.01294668, 35999.37244981, 0.32327364, 0.0}},
    {{0.72333566, 0.00677672, 3.39467605, 181.97909950, 131.60246718, 76.67984255},
     {0.00000390, -0.00004107, -0.00078890, 58517.81538729, 0.00268329, -0.27769418}},
    {{0.38709927, 0.20563593, 7.00497902, 252.25032350, 77.45779628, 48.33076593},
     {0.00000037, 0.00001906, -0.00594749, 149472.67411175, 0.16047689, -0.12534081}},
};

const ElementRow longTable[BodyCount] = {
    {},
    {{39.48686035, 0.24885238, 17.14104260, 238.96535011, 224.09702598, 110.30167986},
     {0.00449751, 0.00006016, 0.00000501, 145.18042903, -0.00968827, -0.00809981}},
    {{30.06952752, 0.00895439, 1.77005520, 304.22289287, 46.68158724, 131.78635853},
     {0.00006447, 0.00000818, 0.00022400, 218.46515314, 0.01009938, -0.00606302}},
    {{19.18797948, 0.04685740, 0.77298127, 314.20276625, 172.43404441, 73.96250215},
     {-0.00020455, -0.00001550, -0.00180155, 428.49512595, 0.09266985, 0.05739699}},
    {{9.54149883, 0.05550825, 2.49424102, 50.07571329, 92.86136063, 113.63998702},
     {-0.00003065, -0.00032044, 0.00451969, 1222.11494724, 0.54179478, -0.25015002}},
    {{5.20248019, 0.04853590, 1.29861416, 34.33479152, 14.27495244, 100.29282654},
     {-0.00002864, 0.00018026, -0.00322699, 3034.90371757, 0.18199196, 0.13024619}},
    {{1.52371243, 0.09336511, 1.85181869, -4.56813164, -23.91744784, 49.71320984},
     {0.00000097, 0.00009149, -0.00724757, 19140.29934243, 0.45223625, -0.26852431}},
    {{1.00000018, 0.01673163, -0.00054346, 100.46691572, 102.93005885, -5.11260389},
     {-0.00000003, -0.00003661, -0.01337178, 35999.37306329, 0.31795260, -0.24123856}},
    {{0.72332102, 0.00676399, 3.39777545, 181.97970850, 131.76755713, 76.67261496},
     {-0.00000026, -0.00005107, 0.00043494, 58517.81560260, 0.05679648, -0.27274174}},
    {{0.38709843, 0.20563661, 7.00559432, 252.25166724, 77.45771895, 48.33961819},
     {0.00000000, 0.00002123, -0.00590158, 149472.67486623, 0.15940013, -0.12214182}},
};

const AnomalyTerms longTableTerms[BodyCount] = {
    {},
    {-0.01262724, 0.0, 0.0, 0.0},
    {-0.00041348, 0.68346318, -0.10162547, 7.67025000},
    {0.00058331, -0.97731848, 0.17689245, 7.67025000},
    {0.00025899, -0.13434469, 0.87320147, 38.35125000},
    {-0.00012452, 0.06064060, -0.35635438, 38.35125000},
    {},
    {},
    {},
    {},
};

// An angle in degrees as radians within -pi..pi.
double ReducedRadians(double degrees) {
    const double turns = std::floor((degrees + 180.0) / 360.0);
    return (degrees - 360.0 * turns) * DegreesToRadians;
}

}  // namespace

bool PlanetElements(int body, double julianDay, OrbitalElements& elements) {
    if (body <= SunIndex || body >= BodyCount || !(julianDay >= EphemerisSpanStart) ||
        !(julianDay < EphemerisSpanEnd)) {
        return false;
    }
    const bool close = julianDay >= CloseTableStart && julianDay < CloseTableEnd;
    const ElementRow& row = close ? closeTable[body] : longTable[body];
    const double t = (julianDay - JulianDayJ2000) / DaysPerCentury;
    double value[6];
    for (int k = 0; k < 6; ++k) {
        value[k] = row.base[k] + row.rate[k] * t;
    }
    const double meanLongitude = value[3];
    const double perihelionLongitude = value[4];
    const double node = value[5];
    double meanAnomaly = meanLongitude - perihelionLongitude;
    if (!close) {
        const AnomalyTerms& extra = longTableTerms[body];
        const double ft = extra.f * t * DegreesToRadians;
        meanAnomaly += extra.b * t * t + extra.c * std::cos(ft) + extra.s * std::sin(ft);
    }
    elements.semiMajorAxis = value[0];
    elements.eccentricity = value[1];
    elements.inclination = value[2] * DegreesToRadians;
    elements.argumentOfPerihelion = ReducedRadians(perihelionLongitude - node);
    elements.ascendingNode = ReducedRadians(node);
    elements.meanAnomaly = ReducedRadians(meanAnomaly);
    return true;
}

double SolveKepler(double meanAnomaly, double eccentricity) {
    // Starting at pi (for e above 0.8) or at M keeps Newton's steps from overshooting;
    // each step roughly doubles the correct digits, so a few suffice for planets.
    double e = eccentricity > 0.8 ? Pi : meanAnomaly;
    for (int step = 0; step < 50; ++step) {
        const double delta =
            (e - eccentricity * std::sin(e) - meanAnomaly) / (1.0 - eccentricity * std::cos(e));
        e -= delta;
        if (std::fabs(delta) < 1e-14) {
            break;
        }
    }
    return e;
}

// The orbit's plane is turned into the ecliptic by three rotations: by the argument of
// perihelion about the orbit's pole, by the inclination about the line of nodes, and by
// the node's longitude about the ecliptic's pole. The columns of their product are the
// perihelion's direction and the direction 90 degrees ahead of it.
void OrbitAxes(const OrbitalElements& elements, EclipticVector& perihelionAxis, EclipticVector& motionAxis) {
    const double cw = std::cos(elements.argumentOfPerihelion);
    const double sw = std::sin(elements.argumentOfPerihelion);
    const double cn = std::cos(elements.ascendingNode);
    const double sn = std::sin(elements.ascendingNode);
    const double ci = std::cos(elements.inclination);
    const double si = std::sin(elements.inclination);
    perihelionAxis = {cw * cn - sw * sn * ci, cw * sn + sw * cn * ci, sw * si};
    motionAxis = {-sw * cn - cw * sn * ci, -sw * sn + cw * cn * ci, cw * si};
}

EclipticVector PositionOnOrbit(const OrbitalElements& elements, double eccentricAnomaly) {
    const double a = elements.semiMajorAxis;
    const double e = elements.eccentricity;
    const double alongPerihelion = a * (std::cos(eccentricAnomaly) - e);
    const double ahead = a * std::sqrt(1.0 - e * e) * std::sin(eccentricAnomaly);
    EclipticVector p, q;
    OrbitAxes(elements, p, q);
    return {alongPerihelion * p.x + ahead * q.x, alongPerihelion * p.y + ahead * q.y,
            alongPerihelion * p.z + ahead * q.z};
}

bool PlanetPosition(int body, double julianDay, EclipticVector& position) {
    OrbitalElements elements;
    if (!PlanetElements(body, julianDay, elements)) {
        return false;
    }
    position = PositionOnOrbit(elements, SolveKepler(elements.meanAnomaly, elements.eccentricity));
    return true;
}
