#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "scene/orrery_scene.h"
#include "scene/sphere_detail.h"
#include "scene/planet_catalogue.h"

namespace {

uint32_t ClockAtZero() {
    return 0;
}
uint32_t ClockAt123456() {
    return 123456;
}

// A scene whose static-eye seed is fixed.
class CatalogueTest : public testing::Test {
protected:
    OrreryScene scene;
    void SetUp() override { scene.millisecondClock = ClockAtZero; }
    void Init(int camera, int arrangement = 2, int planet = 2) {
        scene.settings.cameraSettings = camera;
        scene.settings.arrangement = arrangement;
        scene.settings.planetToView = planet;
        scene.InitCatalogue();
    }
};

void ExpectColour(const D3DCOLORVALUE& c, float r, float g, float b, float a) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
    EXPECT_EQ(c.a, a);
}

TEST_F(CatalogueTest, BodiesInIndexOrderWithTheirSizesAndHalos) {
    Init(CameraElliptic);
    const char* names[] = {"Sun",     "Pluto", "Neptune", "Uranus", "Saturn",
                           "Jupiter", "Mars",  "Earth",   "Venus",  "Mercury"};
    const float radii[] = {10.0f, 0.18f, 3.88f, 4.01f, 9.45f, 11.21f, 0.53f, 1.0f, 0.95f, 0.38f};
    const float factors[] = {0, 1.45f, 1.41f, 1.42f, 1.32f, 1.4f, 1.42f, 1.43f, 1.43f, 1.4f};
    const float printedHalo[] = {30.0f,   0.261f,  5.4708f, 5.6942f, 12.474f,
                                 15.694f, 0.7526f, 1.43f,   1.3585f, 0.532f};
    for (int i = 0; i < BodyCount; ++i) {
        const PlanetRecord& b = scene.bodies[i];
        SCOPED_TRACE(names[i]);
        EXPECT_STREQ(b.name, names[i]);
        EXPECT_EQ(b.radius, radii[i]);
        EXPECT_EQ(b.tilt, 0.7853982f);
        EXPECT_EQ(b.visible, 1);
        EXPECT_EQ(b.sphereDetail, SphereDetailBySize) << "chosen on each screen by its size";
        if (i > 0) {
            const float product = radii[i] * factors[i];  // single precision, as stored
            EXPECT_EQ(b.haloSize, product);
        }
        EXPECT_NEAR(b.haloSize, printedHalo[i], 1e-4f);
    }
    EXPECT_EQ(scene.bodies[0].position, D3DXVECTOR3(0, 0, 0));
    EXPECT_EQ(scene.bodies[4].position, D3DXVECTOR3(400, 0, 470));
    EXPECT_EQ(scene.bodies[9].position, D3DXVECTOR3(170, 0, 950));
}

// Every value of the catalogue as InitCatalogue writes it, one line per body, so that a
// changed digit anywhere shows as one differing line. Floats print with six significant
// digits, more than any value has.
std::string CatalogueLine(const PlanetRecord& b) {
    const D3DCOLORVALUE& body = b.surfaceMaterial.Diffuse;
    const D3DXCOLOR& halo = b.haloColour;
    char line[1024];
    std::snprintf(
        line, sizeof line,
        "%s (%g, %g, %g) r %g body (%g, %g, %g, %g) halo (%g, %g, %g, %g) %g | %g %g %g %g %g %d \"%s\" | "
        "%s | %s | %s | %s | %s",
        b.name, b.position.x, b.position.y, b.position.z, b.radius, body.r, body.g, body.b, body.a, halo.r,
        halo.g, halo.b, halo.a, b.haloSize, b.orbitPhase, b.perihelion, b.aphelion, b.orbitalPeriod,
        b.relativeOrbitRadius, b.orbitSegments, b.distanceLabel, b.infoText[0], b.infoText[1], b.infoText[2],
        b.infoText[3], b.infoText[4]);
    return line;
}

TEST_F(CatalogueTest, EveryValueOfTheCatalogue) {
    Init(CameraElliptic);
    const std::vector<std::string> expected = {
        "Sun (0, 0, 0) r 10 body (1, 1, 0, 1) halo (1, 1, 1, 1) 30 | 0 0 0 0 0 0 \"\" |  |  |  |  | ",
        "Pluto (400, 0, 50) r 0.18 body (0.3, 0.3, 0.4, 1) halo (0.461, 0.202, 0.006, 1) 0.261 | "
        "0.1 4539 7377 248 300 62 \"39.518 AU\" | Name: Pluto | Orbital period: 248 years 157 days | "
        "Mean distance from the Sun: 5913 mil. km | Equatorial radius: 1137 km | "
        "Discovered by: Clyde W. Tombaugh",
        "Neptune (580, 0, 150) r 3.88 body (0.1, 0.1, 1, 1) halo (0.2, 0.2, 0.6, 1) 5.4708 | "
        "0.6 4457 4550 164.79 250 62 \"30.110 AU\" | Name: Neptune | Orbital period: 164 years 281.6 days | "
        "Mean distance from the Sun: 4504 mil. km | Equatorial radius: 24746 km | "
        "Discovered by: Johann Galle, Urbain Le Verrier",
        "Uranus (500, 0, 300) r 4.01 body (0, 0, 1, 1) halo (0.2, 0.2, 0.5, 1) 5.6942 | "
        "1.2 2734 3004 84.022 200 62 \"19.218 AU\" | Name: Uranus | Orbital period: 84 years 8.1 days | "
        "Mean distance from the Sun: 2871 mil. km | Equatorial radius: 25559 km | "
        "Discovered by: William Herschel",
        "Saturn (400, 0, 470) r 9.45 body (1, 0.6, 0.1, 1) halo (0.5, 0.5, 0.1, 1) 12.474 | "
        "2.1 1347 1506 29.457 155 62 \"9.555 AU\" | Name: Saturn | Orbital period: 29 years 167.2 days | "
        "Mean distance from the Sun: 1429 mil. km | Equatorial radius: 60268 km | "
        "Rotational period: 10.233 hours",
        "Jupiter (220, 0, 600) r 11.21 body (1, 0.6, 0.3, 1) halo (0.6, 0.5, 0.1, 1) 15.694 | "
        "4.1 740 815 11.86 125 62 \"5.203 AU\" | Name: Jupiter | Orbital period: 11 years 314.9 days | "
        "Mean distance from the Sun: 778 mil. km | Equatorial radius: 71492 km | "
        "Rotational period: 9.92 hours",
        "Mars (150, 0, 700) r 0.53 body (1, 0.7, 0.2, 1) halo (0.6, 0.1, 0, 1) 0.7526 | "
        "3.6 207 249 1.879 73 62 \"1.524 AU\" | Name: Mars | Orbital period: 1 years 321.7 days | "
        "Mean distance from the Sun: 228 mil. km | Equatorial radius: 3397 km | "
        "Rotational period: 24.6229 hours",
        "Earth (160, 0, 850) r 1 body (0.4, 0.4, 1, 1) halo (0.1, 0.1, 0.8, 1) 1.43 | "
        "5.2 147 152 1 60 62 \"1.000 AU\" | Name: Earth | Orbital period: 365.3 days | "
        "Mean distance from the Sun: 149.6 mil. km | Equatorial radius: 6378 km | "
        "Rotational period: 23.9345 hours",
        "Venus (160, 0, 900) r 0.95 body (0.9, 0.7, 0.1, 1) halo (0.5, 0.4, 0, 1) 1.3585 | "
        "5.9 107 109 0.613 40 31 \"0.723 AU\" | Name: Venus | Orbital period: 224.7 days | "
        "Mean distance from the Sun: 108.2 mil. km | Equatorial radius: 6051 km | "
        "Rotational period: 243 days",
        "Mercury (170, 0, 950) r 0.38 body (0.7, 0.7, 0.7, 1) halo (0.3, 0.3, 0.3, 1) 0.532 | "
        "2.4 46 70 0.241 26 31 \"0.387 AU\" | Name: Mercury | Orbital period: 88 days | "
        "Mean distance from the Sun: 58 mil. km | Equatorial radius: 2439 km | "
        "Rotational period: 58.6462 days",
    };
    std::vector<std::string> actual;
    for (const PlanetRecord& body : scene.bodies) {
        actual.push_back(CatalogueLine(body));
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(CatalogueTest, MaterialsFollowBodyAndHaloColours) {
    scene.sunBaseColour = D3DXCOLOR(0, 0, 0, 0);
    Init(CameraElliptic);
    const PlanetRecord& saturn = scene.bodies[4];
    ExpectColour(saturn.surfaceMaterial.Diffuse, 1.0f, 0.6f, 0.1f, 1.0f);
    ExpectColour(saturn.surfaceMaterial.Ambient, 1.0f, 0.6f, 0.1f, 1.0f);
    ExpectColour(saturn.surfaceMaterial.Specular, 0, 0, 0, 0);
    ExpectColour(saturn.surfaceMaterial.Emissive, 0, 0, 0, 0);
    EXPECT_EQ(saturn.surfaceMaterial.Power, 0.0f);
    for (const D3DCOLORVALUE* c : {&saturn.haloMaterial.Diffuse, &saturn.haloMaterial.Ambient,
                                   &saturn.haloMaterial.Specular, &saturn.haloMaterial.Emissive}) {
        ExpectColour(*c, 0.5f, 0.5f, 0.1f, 1.0f);
    }
    ExpectColour(scene.bodies[1].haloColour, 0.461f, 0.202f, 0.006f, 1.0f);

    const PlanetRecord& sun = scene.bodies[0];
    ExpectColour(sun.haloMaterial.Diffuse, 0, 0, 0, 0);
    ExpectColour(sun.haloMaterial.Specular, 0, 0, 0, 0);
    ExpectColour(sun.haloMaterial.Emissive, 1, 1, 1, 1);
    ExpectColour(sun.surfaceMaterial.Diffuse, 1, 1, 0, 1);

    // The orbits keep the grey they had when the ambient light 0x888888 lit their
    // material of (0.5, 0.5, 0.4).
    const float ambient = 136.0f / 255.0f;
    EXPECT_EQ(OrbitLineColour, D3DXCOLOR(ambient * 0.5f, ambient * 0.5f, ambient * 0.4f, 1.0f).ToArgb());
}

TEST_F(CatalogueTest, OrbitsLabelsAndSegments) {
    Init(CameraElliptic);
    struct Row {
        float phase, perihelion, aphelion, period, relative;
        int segments;
        const char* label;
    };
    const Row rows[] = {
        {0.1f, 4539, 7377, 248.0f, 300, 62, "39.518 AU"},  {0.6f, 4457, 4550, 164.79f, 250, 62, "30.110 AU"},
        {1.2f, 2734, 3004, 84.022f, 200, 62, "19.218 AU"}, {2.1f, 1347, 1506, 29.457f, 155, 62, "9.555 AU"},
        {4.1f, 740, 815, 11.86f, 125, 62, "5.203 AU"},     {3.6f, 207, 249, 1.879f, 73, 62, "1.524 AU"},
        {5.2f, 147, 152, 1.0f, 60, 62, "1.000 AU"},        {5.9f, 107, 109, 0.613f, 40, 31, "0.723 AU"},
        {2.4f, 46, 70, 0.241f, 26, 31, "0.387 AU"},
    };
    for (int i = 1; i < BodyCount; ++i) {
        const Row& r = rows[i - 1];
        const PlanetRecord& b = scene.bodies[i];
        SCOPED_TRACE(b.name);
        EXPECT_EQ(b.orbitPhase, r.phase);
        EXPECT_EQ(b.perihelion, r.perihelion);
        EXPECT_EQ(b.aphelion, r.aphelion);
        EXPECT_EQ(b.orbitalPeriod, r.period);
        EXPECT_EQ(b.relativeOrbitRadius, r.relative);
        EXPECT_EQ(b.orbitSegments, r.segments);
        EXPECT_STREQ(b.distanceLabel, r.label);
    }
}

TEST_F(CatalogueTest, InformationLinesFitThePanelWithItsCursor) {
    Init(CameraElliptic);
    EXPECT_STREQ(scene.bodies[7].infoText[2], "Mean distance from the Sun: 149.6 mil. km");
    EXPECT_STREQ(scene.bodies[6].infoText[1], "Orbital period: 1 years 321.7 days");
    EXPECT_STREQ(scene.bodies[9].infoText[4], "Rotational period: 58.6462 days");
    for (int i = 1; i < BodyCount; ++i) {
        EXPECT_EQ(std::string(scene.bodies[i].infoText[0]), std::string("Name: ") + scene.bodies[i].name);
        for (int line = 0; line < InfoLineCount; ++line) {
            EXPECT_LE(std::strlen(scene.bodies[i].infoText[line]), 48u) << i << ":" << line;
        }
    }
    // The discoverers of the three outer planets.
    for (int i = 1; i <= 3; ++i) {
        const std::string line = scene.bodies[i].infoText[4];
        EXPECT_EQ(line.rfind("Discovered by: ", 0), 0u) << line;
        EXPECT_GT(line.size(), std::strlen("Discovered by: ") + 3);
    }
    EXPECT_NE(std::string(scene.bodies[1].infoText[4]).find("Tombaugh"), std::string::npos);
    EXPECT_NE(std::string(scene.bodies[2].infoText[4]).find("Galle"), std::string::npos);
    EXPECT_NE(std::string(scene.bodies[3].infoText[4]).find("Herschel"), std::string::npos);
}

TEST_F(CatalogueTest, PlanetViewRefinesTheViewedOrbitOnly) {
    const int expected[] = {0, 966, 242, 242, 120, 120, 120, 120, 120, 120};
    for (int viewed = 1; viewed < BodyCount; ++viewed) {
        Init(CameraPlanetView, 2, viewed);
        EXPECT_TRUE(scene.planetViewActive);
        for (int i = 1; i < BodyCount; ++i) {
            const int normal = i >= 8 ? 31 : 62;
            EXPECT_EQ(scene.bodies[i].orbitSegments, i == viewed ? expected[i] : normal)
                << viewed << "/" << i;
        }
    }
    Init(CameraChaotic, 2, 1);
    EXPECT_FALSE(scene.planetViewActive);
    EXPECT_EQ(scene.bodies[1].orbitSegments, 62);
}

TEST_F(CatalogueTest, SunGlowShrinksNearInnerPlanetsInTheRealArrangements) {
    Init(CameraPlanetView, 0, 7);
    EXPECT_EQ(scene.bodies[0].haloSize, 15.0f);
    Init(CameraPlanetView, 1, 9);
    EXPECT_EQ(scene.bodies[0].haloSize, 15.0f);
    Init(CameraPlanetView, 2, 7);
    EXPECT_EQ(scene.bodies[0].haloSize, 30.0f);
    Init(CameraPlanetView, 0, 6);
    EXPECT_EQ(scene.bodies[0].haloSize, 30.0f);
    Init(CameraAround, 0, 8);
    EXPECT_EQ(scene.bodies[0].haloSize, 30.0f);
}

TEST_F(CatalogueTest, StaticEyeFromTheMillisecondClock) {
    Init(CameraStatic);
    EXPECT_EQ(scene.randomState, 3519870697u);
    EXPECT_EQ(scene.staticEyePos, D3DXVECTOR3(0, 110, -30));

    // The same seed gives the same eye; the eye always lies on the 10-unit grid.
    scene.millisecondClock = ClockAt123456;
    Init(CameraStatic);
    const D3DXVECTOR3 first = scene.staticEyePos;
    Init(CameraStatic);
    EXPECT_EQ(scene.staticEyePos, first);
    EXPECT_GE(first.y, 30.0f);
    EXPECT_LE(first.y, 110.0f);
    EXPECT_EQ(static_cast<int>(first.x) % 10, 0);
}

TEST_F(CatalogueTest, OtherCamerasLeaveTheRandomStateAndStaticEyeAlone) {
    scene.randomState = 77;
    scene.staticEyePos = D3DXVECTOR3(1, 2, 3);
    Init(CameraPanoramic);
    EXPECT_EQ(scene.randomState, 77u);
    EXPECT_EQ(scene.staticEyePos, D3DXVECTOR3(1, 2, 3));
}

TEST_F(CatalogueTest, MusicClocksAreReset) {
    scene.musicClockLast = 5.0f;
    scene.musicClockSum = 1.0f;
    Init(CameraElliptic);
    EXPECT_EQ(scene.musicClockLast, 0.0f);
    EXPECT_EQ(scene.musicClockSum, 0.0f);
}

TEST(BodyNames, FillOnlyTheNames) {
    OrreryScene scene;
    scene.FillBodyNames();
    EXPECT_STREQ(scene.bodies[0].name, "Sun");
    EXPECT_STREQ(scene.bodies[2].name, "Neptune");
    EXPECT_STREQ(scene.bodies[9].name, "Mercury");
    EXPECT_EQ(scene.bodies[2].radius, 0.0f);
    EXPECT_EQ(scene.bodies[2].infoText[0][0], '\0');
}

TEST(NextRandom, KnownSequenceFromStateZero) {
    OrreryScene scene;
    scene.randomState = 0;
    EXPECT_EQ(scene.NextRandom(0, 20), 10u);
    EXPECT_EQ(scene.randomState, 1013904223u);
    EXPECT_EQ(scene.NextRandom(3, 11), 11u);
    EXPECT_EQ(scene.randomState, 1196435762u);
    EXPECT_EQ(scene.NextRandom(0, 20), 7u);
    EXPECT_EQ(scene.randomState, 3519870697u);
}

TEST(NextRandom, StaysWithinItsBoundsForExtremeStates) {
    OrreryScene scene;
    for (uint32_t seed : {0u, 1u, 0x7FFFFFFFu, 0xFFFFFFFFu, 123456789u}) {
        scene.randomState = seed;
        for (int i = 0; i < 1000; ++i) {
            EXPECT_LE(scene.NextRandom(0, 20), 20u);
            const uint32_t b = scene.NextRandom(3, 11);
            EXPECT_GE(b, 3u);
            EXPECT_LE(b, 11u);
        }
    }
}

TEST(NextRandom, FullRangeDoesNotDivideByZero) {
    OrreryScene scene;
    scene.randomState = 0;
    EXPECT_EQ(scene.NextRandom(0, 0xFFFFFFFFu), 1013904223u);
    scene.randomState = 0;
    EXPECT_EQ(scene.NextRandom(5, 4), 5u + 1013904223u);  // wraps: the whole circle from 5
    EXPECT_EQ(scene.NextRandom(7, 7), 7u);
}

}  // namespace
