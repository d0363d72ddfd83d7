#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "scene/camera_path.h"
#include "scene/map_filter.h"
#include "scene/name_font_size.h"
#include "scene/orrery_scene.h"
#include "scene/scene_overlay_layout.h"
#include "scene/sphere_detail.h"
#include "scene/still_text_drift.h"
#include "text/text_layout.h"

namespace {

D3DXVECTOR3 Transform(const D3DXVECTOR3& point, const D3DXMATRIX& matrix) {
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &point, &matrix);
    return out;
}

// Length of a matrix row's first three elements: the scale of a rigid transform.
float RowScale(const D3DXMATRIX& m, int row) {
    const D3DXVECTOR3 axis(m.m[row][0], m.m[row][1], m.m[row][2]);
    return D3DXVec3Length(&axis);
}

void ExpectNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected, float tolerance = 1e-3f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

class RenderMathTest : public testing::Test {
protected:
    OrreryScene scene;
    void Look(const D3DXVECTOR3& eye, const D3DXVECTOR3& at) {
        const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
        D3DXMatrixLookAtLH(&scene.viewMatrix, &eye, &at, &up);
    }
    // A world point as the camera sees it.
    D3DXVECTOR3 InView(const D3DXVECTOR3& world) const { return Transform(world, scene.viewMatrix); }
};

TEST_F(RenderMathTest, ABillboardFacesTheCameraAtItsScaleAndPlace) {
    Look(D3DXVECTOR3(40.0f, 70.0f, -90.0f), D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    const D3DXVECTOR3 place(12.0f, 0.0f, 30.0f);
    const D3DXMATRIX billboard = scene.BillboardMatrix(5.0f, place);
    ExpectNear(Transform(D3DXVECTOR3(0.0f, 0.0f, 0.0f), billboard), place);
    // The quad's x and y axes stay the camera's right and up, scaled; its plane faces it.
    const D3DXVECTOR3 centre = InView(place);
    ExpectNear(InView(Transform(D3DXVECTOR3(1.0f, 0.0f, 0.0f), billboard)) - centre,
               D3DXVECTOR3(5.0f, 0.0f, 0.0f));
    ExpectNear(InView(Transform(D3DXVECTOR3(0.0f, 1.0f, 0.0f), billboard)) - centre,
               D3DXVECTOR3(0.0f, 5.0f, 0.0f));
}

TEST_F(RenderMathTest, ABillboardFollowsEveryNewView) {
    const D3DXVECTOR3 place(12.0f, 0.0f, 30.0f);
    const D3DXVECTOR3 corner(1.0f, 1.0f, 0.0f);
    const D3DXVECTOR3 eyes[] = {D3DXVECTOR3(40.0f, 70.0f, -90.0f), D3DXVECTOR3(-300.0f, 5.0f, 20.0f),
                                D3DXVECTOR3(40.0f, 70.0f, -90.0f)};
    for (const D3DXVECTOR3& eye : eyes) {
        Look(eye, D3DXVECTOR3(0.0f, 0.0f, 0.0f));
        // The quad's corner lies up and right of its centre as this camera sees it.
        const D3DXVECTOR3 seen =
            InView(Transform(corner, scene.BillboardMatrix(2.0f, place))) - InView(place);
        ExpectNear(seen, D3DXVECTOR3(2.0f, 2.0f, 0.0f));
    }
    scene.viewMatrix = D3DXMATRIX();  // and one that cannot be inverted, after one that could
    ExpectNear(Transform(corner, scene.BillboardMatrix(2.0f, place)), D3DXVECTOR3(14.0f, 2.0f, 30.0f));
}

TEST_F(RenderMathTest, ABillboardUnderAViewThatCannotBeInvertedStaysUpright) {
    scene.viewMatrix = D3DXMATRIX();  // all zero
    const D3DXMATRIX billboard = scene.BillboardMatrix(2.0f, D3DXVECTOR3(1.0f, 2.0f, 3.0f));
    ExpectNear(Transform(D3DXVECTOR3(1.0f, 0.0f, 0.0f), billboard), D3DXVECTOR3(3.0f, 2.0f, 3.0f));
}

TEST_F(RenderMathTest, BodiesAreScaledSpunTiltedAndPlacedInThatOrder) {
    scene.InitCatalogue();
    scene.bodies[4].position = D3DXVECTOR3(100.0f, 0.0f, -50.0f);
    const float r = scene.bodies[4].radius;
    // At time 0 and no tilt a point on the unit sphere's x axis lies a radius away.
    ExpectNear(Transform(D3DXVECTOR3(1.0f, 0.0f, 0.0f), scene.BodyWorldMatrix(4, 0.0f, 0.0f)),
               D3DXVECTOR3(100.0f + r, 0.0f, -50.0f));
    // Spin about the body's own y axis by time / 6: a quarter turn after 3 pi seconds.
    ExpectNear(Transform(D3DXVECTOR3(1.0f, 0.0f, 0.0f), scene.BodyWorldMatrix(4, 0.0f, 3.0f * 3.1415927f)),
               D3DXVECTOR3(100.0f, 0.0f, -50.0f - r));
    // The tilt about z comes after the spin: the pole leans, the spin axis with it.
    const float half = 0.70710678f;
    ExpectNear(Transform(D3DXVECTOR3(0.0f, 1.0f, 0.0f), scene.BodyWorldMatrix(4, 0.7853982f, 5.0f)),
               D3DXVECTOR3(100.0f - half * r, half * r, -50.0f));
}

TEST_F(RenderMathTest, TheStarBoxTurnsWithTheCameraButNeverMoves) {
    Look(D3DXVECTOR3(300.0f, 50.0f, 20.0f), D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    const D3DXMATRIX box = scene.StarBoxView();
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(box.m[r][c], scene.viewMatrix.m[r][c]);
        }
    }
    EXPECT_EQ(box._41, 0.0f);
    EXPECT_EQ(box._42, -0.3f);
    EXPECT_EQ(box._43, 0.0f);
}

TEST_F(RenderMathTest, NamesStandAboveTheirHalos) {
    scene.settings.cameraSettings = CameraElliptic;
    scene.InitCatalogue();
    const PlanetRecord& mars = scene.bodies[6];
    const D3DXMATRIX name = scene.BodyNameMatrix(6);
    ExpectNear(Transform(D3DXVECTOR3(0.0f, 0.0f, 0.0f), name),
               mars.position + D3DXVECTOR3(0.0f, mars.haloSize / 2.0f, 0.0f));
    EXPECT_NEAR(RowScale(name, 0), 2.5f, 1e-4f);
}

TEST_F(RenderMathTest, ThePlanetViewSizesTheViewedNameToItsPlanet) {
    scene.settings.cameraSettings = CameraPlanetView;
    scene.settings.planetToView = 4;
    scene.InitCatalogue();
    const PlanetRecord& saturn = scene.bodies[4];
    const D3DXMATRIX viewed = scene.BodyNameMatrix(4);
    ExpectNear(Transform(D3DXVECTOR3(0.0f, 0.0f, 0.0f), viewed),
               saturn.position + D3DXVECTOR3(0.0f, saturn.haloSize / 1.2f, 0.0f));
    EXPECT_NEAR(RowScale(viewed, 0), saturn.radius / 2.0f, 1e-4f);

    const PlanetRecord& earth = scene.bodies[7];
    const D3DXMATRIX other = scene.BodyNameMatrix(7);
    ExpectNear(Transform(D3DXVECTOR3(0.0f, 0.0f, 0.0f), other),
               earth.position + D3DXVECTOR3(0.0f, earth.haloSize / 2.0f, 0.0f));
    EXPECT_NEAR(RowScale(other, 0), 1.5f, 1e-4f);
}

// A name font rasterised f times larger is drawn at a scale f times smaller, in the same
// place, so that every name keeps its size on screen.
TEST_F(RenderMathTest, ALargerNameFontShrinksTheNamesScaleByTheSameFactorInTheSamePlace) {
    scene.settings.cameraSettings = CameraPlanetView;
    scene.settings.planetToView = 5;
    scene.settings.distances = 1;
    scene.InitCatalogue();
    scene.bodies[2].distanceLabelPos = D3DXVECTOR3(-3.0f, 2.0f, 7.0f);
    for (float factor : {1.0f, 2.5f, 8.0f}) {
        for (int body : {5, 0, 2}) {
            const D3DXMATRIX usual = scene.BodyNameMatrix(body);
            const D3DXMATRIX scaled = scene.BodyNameMatrix(body, factor);
            ExpectNear(Transform(D3DXVECTOR3(0.0f, 0.0f, 0.0f), scaled),
                       Transform(D3DXVECTOR3(0.0f, 0.0f, 0.0f), usual));
            for (int row = 0; row < 3; ++row) {
                EXPECT_NEAR(RowScale(scaled, row) * factor, RowScale(usual, row), 1e-4f) << body;
            }
        }
        const D3DXMATRIX label = scene.DistanceLabelMatrix(2, factor);
        ExpectNear(Transform(D3DXVECTOR3(0.0f, 0.0f, 0.0f), label), D3DXVECTOR3(-3.0f, 3.0f, 7.0f));
        EXPECT_NEAR(RowScale(label, 1) * factor, 1.0f, 1e-4f);
    }
}

TEST_F(RenderMathTest, DistanceLabelsSitAUnitAboveTheMiddleOfTheirLines) {
    scene.InitCatalogue();
    scene.bodies[3].distanceLabelPos = D3DXVECTOR3(10.0f, 0.0f, 45.0f);
    const D3DXMATRIX label = scene.DistanceLabelMatrix(3);
    ExpectNear(Transform(D3DXVECTOR3(0.0f, 0.0f, 0.0f), label), D3DXVECTOR3(10.0f, 1.0f, 45.0f));
    EXPECT_NEAR(RowScale(label, 0), 1.0f, 1e-4f);
}

// The viewed planet's name, seen from the nearest point of the camera's path: with the
// font chosen for the screen, one texel covers at most a screen pixel (sharp), and not
// much less (no texture wasted), at every screen height and DPI. Measured through the
// scene's own name matrix and camera path; the projection spans the screen's height
// with one world unit per unit of distance.
TEST_F(RenderMathTest, TheNearestNamesTexelsCoverAboutOneScreenPixelOnEveryScreen) {
    scene.settings.cameraSettings = CameraPlanetView;
    scene.settings.planetToView = 5;
    scene.InitCatalogue();
    const PlanetRecord& viewed = scene.bodies[scene.ViewedPlanet()];
    const CameraInputs inputs{CameraPlanetView, false, D3DXVECTOR3(0.0f, 0.0f, 0.0f), viewed.position,
                              viewed.radius};
    float nearest = 1e30f;
    for (int step = 0; step < 720; ++step) {
        CameraPose pose;
        ASSERT_TRUE(ComputeCameraPose(inputs, step * 0.0175f, pose));
        const D3DXVECTOR3 towards = pose.eye - viewed.position;
        nearest = std::min(nearest, D3DXVec3Length(&towards));
    }
    const auto any = [](uint32_t) { return true; };
    for (uint32_t screenHeight : {600u, 1080u, 1440u, 2160u}) {
        for (uint32_t dpi : {96u, 144u, 192u}) {
            const float fontScale = NameFontScale(ChooseNameFontHeight(screenHeight, dpi, any), dpi);
            const float texel =
                RowScale(scene.BodyNameMatrix(scene.ViewedPlanet(), fontScale), 1) / WorldTexelsPerUnit;
            const float pixelsPerTexel = screenHeight * texel / nearest;
            EXPECT_LE(pixelsPerTexel, 1.0f) << screenHeight << " at " << dpi << " dpi";
            EXPECT_GE(pixelsPerTexel, 0.5f) << screenHeight << " at " << dpi << " dpi";
        }
    }
}

// The height matches the magnification unless the glyphs would not fit; then the largest
// that fits, found with a few questions only. Small screens keep the usual font. At a
// higher DPI each point is more pixels, so fewer points give the same glyphs.
TEST(NameFontSize, TheLargestHeightUpToTheMagnifiedOneWhoseGlyphsFit) {
    struct Case {
        uint32_t screenHeight;
        uint32_t dpi;
        uint32_t largestFitting;  // heights above it do not fit
        uint32_t height;
        int mostQuestions;  // each one measures a font
    };
    const uint32_t any = 100000;
    for (const Case& c :
         {Case{0, 96, any, 12, 0}, Case{100, 96, any, 12, 0}, Case{400, 96, any, 40, 1},
          Case{1080, 96, any, 108, 1}, Case{1080, 96, 96, 96, 8}, Case{2160, 96, 97, 97, 9},
          Case{1080, 96, 5, 12, 8}, Case{any, 96, any, 192, 1}, Case{0, 192, any, 6, 0},
          Case{400, 192, any, 20, 1}, Case{1080, 192, any, 54, 1}, Case{1080, 192, 48, 48, 8},
          Case{2160, 192, any, 96, 1}, Case{1080, 144, any, 72, 1}, Case{1080, 0, any, 108, 1}}) {
        int questions = 0;
        const uint32_t base = c.dpi == 192 ? 6 : 12;
        const uint32_t height = ChooseNameFontHeight(c.screenHeight, c.dpi, [&](uint32_t h) {
            ++questions;
            EXPECT_GT(h, base) << "the usual height is never in doubt";
            return h <= c.largestFitting;
        });
        EXPECT_EQ(height, c.height) << c.screenHeight << " " << c.dpi << " " << c.largestFitting;
        EXPECT_LE(questions, c.mostQuestions) << c.screenHeight << " " << c.dpi << " " << c.largestFitting;
    }
}

// What the issue of high DPI screens came to: a name must cover the same share of the
// screen whatever the DPI, so its font's scale (and with it the name's size in the
// scene) stays within a hair of the one at 96 dpi.
TEST(NameFontSize, NamesKeepTheirSizeInTheSceneAtEveryDpi) {
    for (uint32_t screenHeight : {400u, 1080u, 1440u, 1920u, 2160u}) {
        const auto any = [](uint32_t) { return true; };
        const float usual = NameFontScale(ChooseNameFontHeight(screenHeight, 96, any), 96);
        for (uint32_t dpi : {72u, 120u, 144u, 168u, 192u, 240u, 288u}) {
            const float scale = NameFontScale(ChooseNameFontHeight(screenHeight, dpi, any), dpi);
            EXPECT_NEAR(scale / usual, 1.0f, 0.03f) << screenHeight << " at " << dpi << " dpi";
        }
    }
}

TEST(SunLight, IsAYellowishPointLightInTheSun) {
    const D3DLIGHT8 light = OrreryScene::SunLightValues();
    EXPECT_EQ(light.Type, D3DLIGHT_POINT);
    EXPECT_FLOAT_EQ(light.Diffuse.r, 0.8f);
    EXPECT_FLOAT_EQ(light.Diffuse.g, 0.8f);
    EXPECT_FLOAT_EQ(light.Diffuse.b, 0.1f);
    EXPECT_EQ(light.Diffuse.a, 0.0f);
    EXPECT_EQ(light.Specular.r + light.Ambient.r, 0.0f);
    EXPECT_EQ(light.Position.x + light.Position.y + light.Position.z, 0.0f);
    EXPECT_EQ(light.Range, 3000.0f);
    EXPECT_EQ(light.Attenuation0, 0.2f);
    EXPECT_EQ(light.Attenuation1, 0.00005f);
    EXPECT_EQ(light.Attenuation2 + light.Falloff + light.Theta + light.Phi, 0.0f);
}

// At 96 dpi the panel is where it always was; at any other DPI its spacing and the
// shadow's offset grow with the glyphs, on whole pixels, and the lines stay one spacing
// apart. An unknown DPI (0) is taken as 96.
struct ScreenTextScaling {
    uint32_t dpi;
    float spacing;  // between panel lines
    float offset;   // of the shadow
    float frameRateX;
};
const ScreenTextScaling screenTextScalings[] = {
    {96, 25.0f, 1.0f, 2.0f},       {0, 25.0f, 1.0f, 2.0f},   {120, 31.0f, 1.0f, 3.0f},
    {144, 38.0f, 2.0f, 3.0f},      {192, 50.0f, 2.0f, 4.0f}, {288, 75.0f, 3.0f, 6.0f},
    {100000, 125.0f, 5.0f, 10.0f},
};

TEST(InfoPanelLayout, LinesFiveToOneAboveTheBottomEachOverItsShadow) {
    char lines[InfoLineCount][InfoLineSize] = {"one", "two", "three", "four", "five"};
    for (const ScreenTextScaling& c : screenTextScalings) {
        const auto texts = InfoPanelTexts(lines, 200, 0x11, 0x22, 0x33, 800, 600, c.dpi);
        const float bottom = 0.95f * 600.0f;
        for (int k = 0; k < InfoLineCount; ++k) {
            const int n = InfoLineCount - k;  // 5, 4, ..., 1
            const ScreenText& shadow = texts[2 * k];
            const ScreenText& text = texts[2 * k + 1];
            EXPECT_STREQ(text.text, lines[n - 1]);
            EXPECT_STREQ(shadow.text, lines[n - 1]);
            EXPECT_FLOAT_EQ(text.y, bottom - c.spacing * (6 - n)) << c.dpi;
            EXPECT_FLOAT_EQ(shadow.y, text.y + c.offset) << "below, at " << c.dpi;
            EXPECT_FLOAT_EQ(text.x, 16.0f + c.offset) << c.dpi;
            EXPECT_FLOAT_EQ(shadow.x, 16.0f) << "to the left, at " << c.dpi;
            EXPECT_EQ(shadow.colour, 0xC8000000u);
            EXPECT_EQ(text.colour, 0xC8112233u);
        }
        EXPECT_FLOAT_EQ(texts[8 + 1].y, bottom - 5 * c.spacing) << "line 1, the name, on top at " << c.dpi;
    }
}

TEST(InfoPanelLayout, TheAlphaFadesShadowAndTextAlike) {
    char lines[InfoLineCount][InfoLineSize] = {};
    for (const ScreenText& text : InfoPanelTexts(lines, 0, 255, 255, 0, 640, 480, 96)) {
        EXPECT_EQ(text.colour >> 24, 0u);
    }
    const auto faded = InfoPanelTexts(lines, 0x1FF, 255, 255, 0, 640, 480, 96);
    EXPECT_EQ(faded[1].colour, 0xFFFFFF00u) << "only the low byte of the alpha counts";
}

TEST(FrameRateLayout, TranslucentYellowOverABlackShadowInTheCorner) {
    for (const ScreenTextScaling& c : screenTextScalings) {
        const auto texts = FrameRateTexts("12.00 fps", c.dpi);
        EXPECT_EQ(texts[0].colour, 0xFF000000u);
        EXPECT_FLOAT_EQ(texts[0].x, c.frameRateX + c.offset) << c.dpi;
        EXPECT_FLOAT_EQ(texts[0].y, c.offset) << c.dpi;
        EXPECT_EQ(texts[1].colour, 0xC8FFFF00u);
        EXPECT_FLOAT_EQ(texts[1].x, c.frameRateX) << c.dpi;
        EXPECT_FLOAT_EQ(texts[1].y, 0.0f);
    }
}

TEST(PreviewTitleLayout, NebulartAboveCelestra) {
    for (const ScreenTextScaling& c : screenTextScalings) {
        const auto texts = PreviewTitleTexts(200, 100, c.dpi);
        EXPECT_STREQ(texts[0].text, "NEBULART");
        EXPECT_STREQ(texts[3].text, "CELESTRA");
        EXPECT_FLOAT_EQ(texts[0].x, 34.0f);
        EXPECT_FLOAT_EQ(texts[0].y, 30.0f + c.offset) << c.dpi;
        EXPECT_FLOAT_EQ(texts[1].x, 34.0f + c.offset) << c.dpi;
        EXPECT_FLOAT_EQ(texts[1].y, 30.0f);
        EXPECT_FLOAT_EQ(texts[2].x, 22.0f);
        EXPECT_FLOAT_EQ(texts[2].y, 55.0f + c.offset) << c.dpi;
        EXPECT_EQ(texts[2].colour, 0xFF000000u);
        EXPECT_EQ(texts[3].colour, 0xC8C8C8C8u);
    }
}

TEST(FrameRateText, EveryRateStaysWithinTheField) {
    OrreryScene scene;
    FormatFrameRate(scene.frameRateText, sizeof(scene.frameRateText), 59.5f);
    EXPECT_STREQ(scene.frameRateText, "59.50 fps");
    FormatFrameRate(scene.frameRateText, sizeof(scene.frameRateText), 100.0f);
    EXPECT_STREQ(scene.frameRateText, "100.00 fps");
    FormatFrameRate(scene.frameRateText, sizeof(scene.frameRateText), 1234567.0f);
    EXPECT_STREQ(scene.frameRateText, "1234567.00 fps");

    char guarded[12 + 4];
    std::memset(guarded, '#', sizeof(guarded));
    FormatFrameRate(guarded, 12, 1.0e30f);
    EXPECT_EQ(std::strlen(guarded), 11u) << "cut, terminated";
    EXPECT_EQ(std::string(guarded + 12, 4), "####") << "nothing past the field";
    FormatFrameRate(guarded, 0, 1.0f);  // no room at all: nothing written
    EXPECT_EQ(guarded[0], '1');
}

}  // namespace

// Still texts drift by whole pixels within their box, never faster than about a pixel a
// minute on either axis, and on through the clock's wrap after 49.7 days.
TEST(StillTextDrift, BoundedSlowAndContinuousEvenWhereTheClockWraps) {
    struct Case {
        uint32_t dpi;
        float halfBox;
    };
    for (const Case& c : {Case{96, 8}, Case{192, 16}, Case{0, 8}}) {
        for (uint32_t screen : {0u, 1u, 5u, 12u}) {
            const uint32_t minute = 60000;
            const uint32_t starts[] = {0u, 0xFFFFFFFFu - 50u * minute};
            for (uint32_t start : starts) {
                TextOffset last = StillTextDrift(start, screen, c.dpi);
                float widest = 0.0f;
                for (uint32_t m = 1; m <= 6 * 60; ++m) {
                    const TextOffset now = StillTextDrift(start + m * minute, screen, c.dpi);
                    ASSERT_LE(std::fabs(now.x), c.halfBox);
                    ASSERT_LE(std::fabs(now.y), c.halfBox);
                    ASSERT_EQ(now.x, std::round(now.x)) << "whole pixels keep the glyphs sharp";
                    ASSERT_LE(std::fabs(now.x - last.x), c.halfBox / 8.0f) << screen << " " << m;
                    ASSERT_LE(std::fabs(now.y - last.y), c.halfBox / 8.0f) << screen << " " << m;
                    widest = std::max({widest, std::fabs(now.x), std::fabs(now.y)});
                    last = now;
                }
                EXPECT_EQ(widest, c.halfBox) << "the whole box is used within six hours";
            }
        }
    }
    const TextOffset home = StillTextDrift(0, 0, 96);
    EXPECT_EQ(home.x, 0.0f);
    EXPECT_EQ(home.y, 0.0f);
}

TEST(StillTextDrift, EachScreenDriftsOnAPathOfItsOwn) {
    for (uint32_t other = 1; other < 10; ++other) {
        int apart = 0;
        for (uint32_t minute = 0; minute < 600; minute += 7) {
            const TextOffset a = StillTextDrift(minute * 60000u, 0, 96);
            const TextOffset b = StillTextDrift(minute * 60000u, other, 96);
            apart += (a.x != b.x || a.y != b.y) ? 1 : 0;
        }
        EXPECT_GT(apart, 60) << other;
    }
}

// A group near the top or left edge is turned back there as by a mirror: it stays on the
// screen and still moves by the same steps.
TEST(StillTextDrift, AGroupAtAnEdgeIsTurnedBackOntoTheScreen) {
    struct Case {
        TextOffset offset;
        float left, top;
        TextOffset kept;
    };
    for (const Case& c : {Case{{-5, -3}, 2, 0, {1, 3}}, Case{{-5, 4}, 100, 1, {-5, 4}},
                          Case{{-2, -1}, 2, 1, {-2, -1}}, Case{{3, -8}, 0, 0, {3, 8}}}) {
        const TextOffset kept = KeepOnScreen(c.offset, c.left, c.top);
        EXPECT_EQ(kept.x, c.kept.x) << c.offset.x << " at " << c.left;
        EXPECT_EQ(kept.y, c.kept.y) << c.offset.y << " at " << c.top;
    }
}

TEST(PlanetMapFilter, AnisotropicWhereTheDeviceCanWithinItsLimitAndOurs) {
    struct Case {
        bool deviceCan;
        uint32_t deviceMax;
        bool anisotropic;
        uint32_t used;
    };
    for (const Case& c : {Case{false, 16, false, 1}, Case{true, 0, false, 1}, Case{true, 1, false, 1},
                          Case{true, 2, true, 2}, Case{true, 4, true, 4}, Case{true, 16, true, 8}}) {
        const MapMinification chosen = ChooseMapMinification(c.deviceCan, c.deviceMax);
        EXPECT_EQ(chosen.anisotropic, c.anisotropic) << c.deviceCan << " " << c.deviceMax;
        EXPECT_EQ(chosen.maxAnisotropy, c.used) << c.deviceCan << " " << c.deviceMax;
    }
}

// In the planet view the viewed planet fills much of the screen: on a 3840 x 2160 screen
// its outline needs the finest sphere, while the far planets of a wide view need few
// vertices.
TEST_F(RenderMathTest, TheSphereDetailFollowsEachPlanetsSizeOnTheScreen) {
    scene.settings.cameraSettings = CameraPlanetView;
    scene.settings.planetToView = JupiterIndex;
    scene.InitCatalogue();
    scene.AdvanceScene(21.0f);
    const auto detailAt = [&](int body, float focal) {
        const D3DXVECTOR3 toBody = scene.bodies[body].position - scene.eyePos;
        return SphereDetailForOutline(
            SphereOutlinePixels(scene.bodies[body].radius, D3DXVec3Length(&toBody), focal));
    };
    EXPECT_EQ(detailAt(JupiterIndex, 2160.0f), 4);
    EXPECT_LE(detailAt(PlutoIndex, 2160.0f), 1);
    scene.settings.cameraSettings = CameraAround;
    scene.InitCatalogue();
    scene.AdvanceScene(21.0f);
    for (int i = 1; i < BodyCount; ++i) {
        EXPECT_LE(detailAt(i, 400.0f), 2) << i;
    }
}
