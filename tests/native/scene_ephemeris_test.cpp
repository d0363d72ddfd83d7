#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scene/orrery_scene.h"
#include "scene/planet_ephemeris.h"
#include "scene/scene_overlay_layout.h"
#include "scene/planet_record.h"
#include "scene/sky_clock.h"
#include "util/julian_day.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

struct Polar {
    double longitude, latitude, distance;  // degrees, degrees, au
};

Polar PolarPosition(int body, double day) {
    EclipticVector p{};
    EXPECT_TRUE(PlanetPosition(body, day, p));
    const double r = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    const double longitude = std::atan2(p.y, p.x) * 180.0 / Pi;
    return {longitude < 0.0 ? longitude + 360.0 : longitude, std::asin(p.z / r) * 180.0 / Pi, r};
}

// Published positions, heliocentric. The tables' own check value for J2000; and
// J. Meeus, Astronomical Algorithms (2nd ed.), example 32.a, from the full planetary
// theory, given for the equinox of date: precession since J2000 accounts for 0.1 degree
// of its longitude.
TEST(Ephemeris, AgreesWithPublishedPositions) {
    const struct {
        const char* what;
        int body;
        double day;
        Polar published;
        double longitudeTolerance;
    } rows[] = {
        {"Earth-Moon barycentre at J2000", EarthIndex, 2451545.0, {100.38, 0.0, 0.9833}, 0.01},
        {"Venus 1992-12-20 0h", VenusIndex, 2448976.5, {26.11428, -2.62070, 0.724603}, 0.15},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const Polar p = PolarPosition(row.body, row.day);
        EXPECT_NEAR(p.longitude, row.published.longitude, row.longitudeTolerance);
        EXPECT_NEAR(p.latitude, row.published.latitude, 0.01);
        EXPECT_NEAR(p.distance, row.published.distance, 1e-4);
    }
}

// Seen from ecliptic north every planet moves counterclockwise, in both tables.
TEST(Ephemeris, EveryPlanetMovesEastward) {
    for (double day : {2461000.5, 1000000.5, 2800000.5}) {
        for (int body = PlutoIndex; body <= MercuryIndex; ++body) {
            SCOPED_TRACE(body);
            double step = PolarPosition(body, day + 1.0).longitude - PolarPosition(body, day).longitude;
            step += step < -180.0 ? 360.0 : 0.0;
            EXPECT_GT(step, 0.0);
            EXPECT_LT(step, 10.0);
        }
    }
}

TEST(Ephemeris, KeplersEquationSolvedAtEveryMeanAnomaly) {
    const double e = 0.2488;  // Pluto's, the largest
    for (int k = -1800; k <= 1800; ++k) {
        const double m = k * Pi / 1800.0;
        const double anomaly = SolveKepler(m, e);
        ASSERT_NEAR(anomaly - e * std::sin(anomaly), m, 1e-12) << m;
    }
}

TEST(Ephemeris, NoAnswerOutsideTheTablesOrForTheSun) {
    EclipticVector p{};
    EXPECT_FALSE(PlanetPosition(EarthIndex, EphemerisSpanStart - 1.0, p));
    EXPECT_FALSE(PlanetPosition(EarthIndex, EphemerisSpanEnd, p));
    EXPECT_FALSE(PlanetPosition(EarthIndex, std::nan(""), p));
    EXPECT_FALSE(PlanetPosition(SunIndex, JulianDayJ2000, p));
    EXPECT_FALSE(PlanetPosition(BodyCount, JulianDayJ2000, p));
    EXPECT_TRUE(PlanetPosition(PlutoIndex, EphemerisSpanEnd - 1.0, p));
}

TEST(SkyClock, RunsAtItsSpeedAndStartsAgainAtThePresentPastTheTables) {
    SkyClock clock;
    const double present = 2461020.0;
    clock.Start(present, 10.0);
    EXPECT_DOUBLE_EQ(clock.DayAt(12.5, 7.0, 0.0), present + 17.5);
    const double secondsToTheEnd = (EphemerisSpanEnd - present) / 30.0;
    EXPECT_LT(clock.DayAt(10.0 + secondsToTheEnd - 1.0, 30.0, present), EphemerisSpanEnd);
    EXPECT_EQ(clock.DayAt(10.0 + secondsToTheEnd + 1.0, 30.0, present + 1.0), present + 1.0);
    EXPECT_DOUBLE_EQ(clock.DayAt(10.0 + secondsToTheEnd + 2.0, 30.0, 0.0), present + 31.0);
}

TEST(JulianDay, CalendarDatesAndFileTimes) {
    double day = 0.0;
    const struct {
        const char* text;
        double day;  // 0: refused
    } rows[] = {
        {"2000-01-01T12:00", 2451545.0},
        {"1582-10-15", 2299160.5},
        {"1582-10-04", 2299159.5},
        {"-2999-01-01", EphemerisSpanStart},
        {"2024-02-29", 2460369.5},
        {"2023-02-29", 0},
        {"1582-10-10", 0},
        {"2026-13-01", 0},
        {"2026-12-10T24:00", 0},
        {"2026-12-1", 0},
        {"2026-12-10T10:00Z", 0},
        {"", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        day = 0.0;
        EXPECT_EQ(ParseUtcDate(row.text, day), row.day != 0);
        EXPECT_EQ(day, row.day);
    }
    uint64_t ticks = 0;
    EXPECT_TRUE(FileTimeFromJulianDay(JulianDayJ2000, ticks));
    EXPECT_EQ(ticks, 125912016000000000ull);  // 2000-01-01 12:00 UTC
    EXPECT_DOUBLE_EQ(JulianDayFromFileTime(ticks), JulianDayJ2000);
    EXPECT_FALSE(FileTimeFromJulianDay(JulianDayOfFileTimeOrigin - 1.0, ticks));
}

}  // namespace

namespace {

double AtJ2000() {
    return JulianDayJ2000;
}

float DistanceToSegment(const D3DXVECTOR3& p, const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    const D3DXVECTOR3 ab = b - a, ap = p - a;
    const float t = std::clamp(D3DXVec3Dot(&ap, &ab) / D3DXVec3Dot(&ab, &ab), 0.0f, 1.0f);
    const D3DXVECTOR3 off = ap - ab * t;
    return D3DXVec3Length(&off);
}

// The scene in today's sky at a day a second, from J2000.
class TodaysSkyScene : public testing::Test {
protected:
    OrreryScene scene;
    void SetUp() override {
        scene.presentClock = AtJ2000;
        scene.settings.arrangement = ArrangementTodaysSky;
        scene.settings.timeSpeed = TimeSpeedDay;
        scene.InitCatalogue();
    }
};

TEST_F(TodaysSkyScene, PlanetsStandWhereTheDateHasThemAndMoveCounterclockwiseSeenFromAbove) {
    scene.AdvanceScene(0.0);
    EclipticVector earth{};
    ASSERT_TRUE(PlanetPosition(EarthIndex, JulianDayJ2000, earth));
    const D3DXVECTOR3 expected = SceneFromEcliptic(earth);
    EXPECT_NEAR(scene.bodies[EarthIndex].position.x, expected.x, 1e-3f);
    EXPECT_NEAR(scene.bodies[EarthIndex].position.z, expected.z, 1e-3f);
    EXPECT_STREQ(scene.bodies[EarthIndex].distanceLabel, "0.983 AU");
    float angles[BodyCount];
    for (int i = PlutoIndex; i <= MercuryIndex; ++i) {
        angles[i] = std::atan2(scene.bodies[i].position.z, scene.bodies[i].position.x);
    }
    scene.AdvanceScene(1.0);
    for (int i = PlutoIndex; i <= MercuryIndex; ++i) {
        const float turned =
            std::remainder(std::atan2(scene.bodies[i].position.z, scene.bodies[i].position.x) - angles[i],
                           2.0f * 3.1415927f);
        EXPECT_GT(turned, 0.0f) << i;
    }
}

// Over years of simulated time, and across the orbits' new layouts, each planet stays on
// the line drawn for it, and the lines keep the orbits' real tilt.
TEST_F(TodaysSkyScene, EachPlanetStaysOnItsInclinedOrbitLine) {
    for (double time = 0.0; time < 3000.0; time += 97.0) {
        scene.AdvanceScene(time);
        for (int i = PlutoIndex; i <= MercuryIndex; ++i) {
            const std::vector<D3DXVECTOR3>& line = scene.orbitLines[i];  // as drawn
            ASSERT_EQ(line.size(), scene.bodies[i].orbitSegments + 1u);
            float nearest = 1e9f;
            for (size_t k = 1; k < line.size(); ++k) {
                nearest =
                    std::min(nearest, DistanceToSegment(scene.bodies[i].position, line[k - 1], line[k]));
            }
            // A chord's sag on a circle of the semi-major axis, the larger one.
            const float semiMajor = D3DXVec3Length(&scene.sky.Orbit(i).firstAxis);
            const float sag = semiMajor * (1.0f - std::cos(3.1415927f / scene.bodies[i].orbitSegments));
            ASSERT_LT(nearest, 1.01f * sag + 1e-3f) << "body " << i << " at " << time;
        }
    }
    float highest = 0.0f;
    for (const D3DXVECTOR3& p : OrbitLinePoints(scene.sky.Orbit(PlutoIndex), 360)) {
        highest = std::max(highest, std::fabs(p.y) / D3DXVec3Length(&p));
    }
    EXPECT_NEAR(std::asin(highest) * 180.0f / 3.1415927f, 17.1f, 0.2f);
}

}  // namespace

// The date stands at the top right in the text colour, over its shadow, and only where it
// keeps clear of the frame rate's corner.
TEST(SkyDateLayout, TopRightInTheTextColourWhereItFits) {
    std::array<ScreenText, SkyDateTextCount> texts{};
    ASSERT_TRUE(SkyDateTexts("10 December 2026", 120.0f, 255, 128, 0, 1000, 192, texts));
    EXPECT_EQ(texts[1].x, 860.0f);
    EXPECT_EQ(texts[1].y, 0.0f);
    EXPECT_EQ(texts[1].colour, 0xFFFF8000u);
    EXPECT_EQ(texts[0].x, 862.0f) << "the shadow two pixels off at 192 dpi";
    EXPECT_EQ(texts[0].colour, 0xFF000000u);
    const std::array<ScreenText, SkyDateTextCount> before = texts;
    EXPECT_FALSE(SkyDateTexts("Thursday, 10 December 2026", 170.0f, 255, 128, 0, 152, 96, texts));
    EXPECT_FALSE(SkyDateTexts("", 0.0f, 255, 128, 0, 152, 96, texts));
    EXPECT_EQ(texts[1].x, before[1].x);
}
