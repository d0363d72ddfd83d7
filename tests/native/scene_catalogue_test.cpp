#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scene/orrery_scene.h"
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
        EXPECT_EQ(b.sphereDetail, 3);
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

    ExpectColour(scene.orbitMaterial.Diffuse, 0.5f, 0.5f, 0.4f, 1.0f);
    ExpectColour(scene.orbitMaterial.Ambient, 0.5f, 0.5f, 0.4f, 1.0f);
    ExpectColour(scene.orbitMaterial.Specular, 0, 0, 0, 0);
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
