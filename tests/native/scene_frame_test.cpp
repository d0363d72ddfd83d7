#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "scene/line_ribbon.h"
#include "scene/orrery_scene.h"

namespace {

class FrameTest : public testing::Test {
protected:
    OrreryScene scene;
    void Start(int arrangement, int camera = CameraElliptic, int planet = 2) {
        scene.settings.arrangement = arrangement;
        scene.settings.cameraSettings = camera;
        scene.settings.planetToView = planet;
        scene.InitCatalogue();
    }
};

TEST_F(FrameTest, TogetherArrangementStartsAtTheOrbitPhase) {
    Start(ArrangementRealTogether);
    scene.AdvanceScene(0);
    for (int i = 1; i < BodyCount; ++i) {
        const PlanetRecord& b = scene.bodies[i];
        EXPECT_FLOAT_EQ(b.position.x, std::cos(b.orbitPhase) * b.perihelion / 5.0f) << i;
        EXPECT_EQ(b.position.y, 0.0f);
        EXPECT_FLOAT_EQ(b.position.z, std::sin(b.orbitPhase) * b.aphelion / 5.0f) << i;
    }
    EXPECT_EQ(scene.bodies[0].position, D3DXVECTOR3(0, 0, 0));
}

TEST_F(FrameTest, EarthTurnsAlikeInBothRealArrangements) {
    for (float t : {0.0f, 3.0f, 100.0f, 12345.0f}) {
        Start(ArrangementRealWithPeriods);
        scene.AdvanceScene(t);
        const D3DXVECTOR3 ownRate = scene.bodies[7].position;
        Start(ArrangementRealTogether);
        scene.AdvanceScene(t);
        EXPECT_EQ(scene.bodies[7].position, ownRate) << t;
    }
}

TEST_F(FrameTest, PlanetsTurnBackwardsAtAQuarterRadianPerSecond) {
    Start(ArrangementRelative);
    scene.AdvanceScene(4.0f);  // orbit clock -1
    const PlanetRecord& mars = scene.bodies[6];
    EXPECT_FLOAT_EQ(mars.position.x, std::cos(3.6f - 1.0f) * 73.0f);
    EXPECT_FLOAT_EQ(mars.position.z, std::sin(3.6f - 1.0f) * 73.0f);

    Start(ArrangementRealWithPeriods);
    scene.AdvanceScene(4.0f);
    const PlanetRecord& pluto = scene.bodies[1];
    const float angle = -1.0f / 248.0f + 0.1f;
    EXPECT_FLOAT_EQ(pluto.position.x, std::cos(angle) * 4539.0f / 5.0f);
    EXPECT_FLOAT_EQ(pluto.position.z, std::sin(angle) * 7377.0f / 5.0f);
}

// A saver in a lobby may run for a month: frames 1/60 s apart still move a planet, the
// camera and the spin on by steps that change only smoothly from one frame to the next.
TEST_F(FrameTest, AfterThirtyDaysFramesStillMoveEvenly) {
    Start(ArrangementRealWithPeriods, CameraAround);
    D3DXVECTOR3 previous[3];
    float lastStep[3] = {};
    for (int frame = 0; frame <= 8; ++frame) {
        const double time = 30 * 86400.0 + frame / 60.0;
        scene.AdvanceScene(time);
        const D3DXMATRIX spin = scene.BodyWorldMatrix(MercuryIndex, 0.0f, time);
        const D3DXVECTOR3 now[3] = {
            scene.bodies[MercuryIndex].position, scene.eyePos, {spin._11, spin._12, spin._13}};
        for (int k = 0; frame > 0 && k < 3; ++k) {
            const D3DXVECTOR3 moved = now[k] - previous[k];
            const float step = D3DXVec3Length(&moved);
            EXPECT_GT(step, 0.0f) << "item " << k << ", frame " << frame;
            EXPECT_TRUE(frame == 1 || std::fabs(step - lastStep[k]) < 0.01f * lastStep[k])
                << k << ", " << frame;
            lastStep[k] = step;
        }
        std::copy(now, now + 3, previous);
    }
}

TEST_F(FrameTest, UnknownArrangementLeavesPositions) {
    Start(ArrangementRelative);
    scene.AdvanceScene(1.0f);
    const D3DXVECTOR3 before = scene.bodies[3].position;
    scene.settings.arrangement = 5;
    scene.AdvanceScene(30.0f);
    EXPECT_EQ(scene.bodies[3].position, before);
}

TEST_F(FrameTest, DistanceLinesFollowThePlanetsOnlyWhileShown) {
    Start(ArrangementRelative);
    scene.settings.distances = 0;
    scene.bodies[5].distanceLabelPos = D3DXVECTOR3(1, 2, 3);
    scene.AdvanceScene(1.0f);
    EXPECT_EQ(scene.bodies[5].distanceLabelPos, D3DXVECTOR3(1, 2, 3));
    EXPECT_EQ(scene.distanceDashPoints[5][0], D3DXVECTOR3(0, 0, 0));
    scene.settings.distances = 1;
    scene.AdvanceScene(2.0f);
    EXPECT_NE(scene.bodies[5].distanceLabelPos, D3DXVECTOR3(1, 2, 3));
    // The last dash ends half a part short of the planet.
    const D3DXVECTOR3 planet = scene.bodies[5].position;
    const D3DXVECTOR3 start = scene.distanceDashPoints[5][0];
    const D3DXVECTOR3 expected = start + (planet - start) * 0.95f;
    const D3DXVECTOR3 miss = scene.distanceDashPoints[5][DistanceDashPointCount - 1] - expected;
    EXPECT_LT(D3DXVec3Length(&miss), 1e-3f);
}

TEST_F(FrameTest, OrbitLinesFollowTheArrangement) {
    Start(ArrangementRelative);
    scene.BuildOrbitLines();
    EXPECT_TRUE(scene.orbitLines[SunIndex].empty());
    ASSERT_EQ(scene.orbitLines[EarthIndex].size(), 63u);
    EXPECT_FLOAT_EQ(scene.orbitLines[EarthIndex][0].x, 60.0f);
    Start(ArrangementRealTogether);
    scene.BuildOrbitLines();
    EXPECT_FLOAT_EQ(scene.orbitLines[EarthIndex][0].x, 29.4f);
    EXPECT_EQ(scene.orbitLines[EarthIndex].back(), scene.orbitLines[EarthIndex].front());
}

TEST(RingOrder, NearerSaturnOnlyWhenStrictlyNearer) {
    OrreryScene scene;
    scene.bodies[0].position = D3DXVECTOR3(0, 0, 0);
    scene.bodies[4].position = D3DXVECTOR3(10, 0, 0);
    scene.eyePos = D3DXVECTOR3(5, 7, 0);  // as far from both
    scene.UpdateRingOrder();
    EXPECT_FALSE(scene.saturnNearerThanSun);
    scene.eyePos = D3DXVECTOR3(5.001f, 7, 0);
    scene.UpdateRingOrder();
    EXPECT_TRUE(scene.saturnNearerThanSun);
    scene.eyePos = D3DXVECTOR3(4.999f, 7, 0);
    scene.UpdateRingOrder();
    EXPECT_FALSE(scene.saturnNearerThanSun);
}

// The information panel, viewing the Earth.
class InfoPanelTest : public FrameTest {
protected:
    void SetUp() override { Start(ArrangementRelative, CameraPlanetView, 7); }
    // The update at the time when exactly `n` characters have been revealed.
    void TickAtCount(float cycleStart, int n) { scene.InfoTicker(cycleStart + 5.0f + n / 10.0f + 0.02f); }
    std::string Line(int i) const { return scene.infoLines[i]; }
};

TEST_F(InfoPanelTest, BlankForTheFirstFiveSeconds) {
    for (float t : {0.0f, 2.5f, 5.0f}) {
        scene.InfoTicker(t);
        for (int i = 0; i < InfoLineCount; ++i) {
            EXPECT_EQ(Line(i), " ");
        }
    }
    EXPECT_EQ(scene.infoCharsShown, 0u);
}

TEST_F(InfoPanelTest, CursorFollowsTheTyping) {
    // "Name: Earth" has 11 characters, "Orbital period: 365.3 days" 26.
    scene.InfoTicker(6.0f);
    EXPECT_EQ(scene.infoCharsShown, 10u);
    EXPECT_EQ(Line(0), "Name: Eart_");
    EXPECT_EQ(Line(1), "");
    EXPECT_EQ(Line(4), "");
    EXPECT_EQ(scene.infoTextAlpha, 200);

    TickAtCount(0, 11);
    EXPECT_EQ(Line(0), "Name: Earth_");
    TickAtCount(0, 12);
    EXPECT_EQ(Line(0), "Name: Earth");
    EXPECT_EQ(Line(1), "O_");
    EXPECT_EQ(Line(2), "");

    TickAtCount(0, 11 + 26 + 3);
    EXPECT_EQ(Line(1), "Orbital period: 365.3 days");
    EXPECT_EQ(Line(2), "Mea_");
}

TEST_F(InfoPanelTest, AllLinesWholeOnceTyped) {
    size_t total = 0;
    for (int i = 0; i < InfoLineCount; ++i) {
        total += std::strlen(scene.bodies[7].infoText[i]);
    }
    TickAtCount(0, static_cast<int>(total));
    EXPECT_EQ(Line(4), std::string(scene.bodies[7].infoText[4]) + "_");
    TickAtCount(0, static_cast<int>(total) + 1);
    for (int i = 0; i < InfoLineCount; ++i) {
        EXPECT_EQ(Line(i), scene.bodies[7].infoText[i]);
    }
}

TEST_F(InfoPanelTest, UnchangedCountLeavesTheLinesAlone) {
    TickAtCount(0, 30);
    std::strcpy(scene.infoLines[0], "marker");
    scene.InfoTicker(5.0f + 3.0f + 0.05f);  // still 30 characters
    EXPECT_EQ(Line(0), "marker");
}

TEST_F(InfoPanelTest, FadesFromThreeHundredAndRestartsAfterFiveHundredThirty) {
    TickAtCount(0, 10);
    TickAtCount(0, 300);
    EXPECT_EQ(scene.infoTextAlpha, 200);
    TickAtCount(0, 301);
    EXPECT_EQ(scene.infoTextAlpha, 199);
    TickAtCount(0, 450);
    EXPECT_EQ(scene.infoTextAlpha, 50);
    TickAtCount(0, 500);
    EXPECT_EQ(scene.infoTextAlpha, 0);
    TickAtCount(0, 530);
    EXPECT_EQ(scene.infoTextAlpha, 0);
    EXPECT_NE(Line(0), " ");

    const float restartTime = 5.0f + 53.1f + 0.02f;
    scene.InfoTicker(restartTime);
    EXPECT_EQ(scene.infoCycleStart, restartTime);
    EXPECT_EQ(scene.infoCharsShown, 0u);
    for (int i = 0; i < InfoLineCount; ++i) {
        EXPECT_EQ(Line(i), " ");
    }
    EXPECT_EQ(scene.infoTextAlpha, 0) << "not reset until the next first character";
    TickAtCount(restartTime, 1);
    EXPECT_EQ(Line(0), "N_");
    EXPECT_EQ(scene.infoTextAlpha, 200);
}

TEST_F(InfoPanelTest, WholeCyclesFrameByFrame) {
    // 60 frames a second for two cycles and a bit: one cursor at most, on the line being
    // typed, and the cycle restarts every 58 seconds.
    int restarts = 0;
    float lastStart = 0.0f;
    for (int frame = 0; frame <= 60 * 120; ++frame) {
        const float t = frame / 60.0f;
        scene.AdvanceScene(t);
        if (scene.infoCycleStart != lastStart) {
            ++restarts;
            EXPECT_NEAR(scene.infoCycleStart - lastStart, 58.1f, 0.05f);
            lastStart = scene.infoCycleStart;
        }
        int cursors = 0;
        for (int i = 0; i < InfoLineCount; ++i) {
            const std::string line = Line(i);
            ASSERT_LE(line.size(), 49u);
            if (!line.empty() && line.back() == '_') {
                ++cursors;
                EXPECT_EQ(line.substr(0, line.size() - 1),
                          std::string(scene.bodies[7].infoText[i]).substr(0, line.size() - 1));
            }
        }
        EXPECT_LE(cursors, 1) << t;
        EXPECT_GE(scene.infoTextAlpha, 0);
        EXPECT_LE(scene.infoTextAlpha, 200);
    }
    EXPECT_EQ(restarts, 2);
}

TEST_F(FrameTest, PanelStaysBlankOutsidePlanetView) {
    Start(ArrangementRelative, CameraAround, 7);
    scene.AdvanceScene(20.0f);
    EXPECT_EQ(std::string(scene.infoLines[0]), " ");
    EXPECT_EQ(scene.infoCharsShown, 0u);
}

bool Finite(const D3DXVECTOR3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

TEST_F(FrameTest, ManyFramesOfEveryCameraAndArrangementStayFinite) {
    for (int arrangement = 0; arrangement <= 2; ++arrangement) {
        for (int camera = 0; camera <= 5; ++camera) {
            for (int planet : {1, 4, 7, 9}) {
                if (camera != CameraPlanetView && planet != 1) {
                    continue;
                }
                SCOPED_TRACE(testing::Message() << arrangement << "/" << camera << "/" << planet);
                scene.settings.distances = 1;
                Start(arrangement, camera, planet);
                scene.BuildOrbitLines();
                for (int frame = 0; frame < 2000; ++frame) {
                    scene.AdvanceScene(frame * 0.37f);
                    ASSERT_TRUE(Finite(scene.eyePos));
                    ASSERT_TRUE(Finite(scene.lookAtPos));
                    for (int r = 0; r < 4; ++r) {
                        for (int c = 0; c < 4; ++c) {
                            ASSERT_TRUE(std::isfinite(scene.viewMatrix.m[r][c]));
                        }
                    }
                    for (int i = 1; i < BodyCount; ++i) {
                        ASSERT_TRUE(Finite(scene.bodies[i].position));
                        ASSERT_TRUE(Finite(scene.bodies[i].distanceLabelPos));
                    }
                    if (frame % 100 == 0) {
                        // Every camera's ribbons, however near it passes a line.
                        const RibbonView view = {
                            scene.eyePos,
                            D3DXVECTOR3(scene.viewMatrix._13, scene.viewMatrix._23, scene.viewMatrix._33),
                            600.0f,
                            1.0f,
                            0.05f,
                            0.0f};
                        RibbonStrips strips;
                        for (int i = 1; i < BodyCount; ++i) {
                            AppendRibbon(scene.orbitLines[i].data(), scene.orbitLines[i].size(), 0, view,
                                         strips);
                            AppendRibbon(scene.distanceDashPoints[i], 2, 0, view, strips);
                        }
                        for (const auto* strip : {&strips.behind, &strips.inFront}) {
                            for (const LineVertex& v : *strip) {
                                ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
                            }
                        }
                    }
                }
            }
        }
    }
}

TEST(MusicClock, PollsAfterMoreThanOneAndAHalfSeconds) {
    OrreryScene scene;
    EXPECT_FALSE(scene.MusicPollDue(1.0f));
    EXPECT_FALSE(scene.MusicPollDue(1.5f));
    EXPECT_TRUE(scene.MusicPollDue(1.6f));
    EXPECT_EQ(scene.musicClockLast, 1.6f);
}

}  // namespace
