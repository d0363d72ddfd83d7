#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "scene/camera_path.h"
#include "scene/orrery_scene.h"

namespace {

// Records every view handed to the device.
class RecordingScene : public OrreryScene {
public:
    int viewsApplied = 0;
    D3DXMATRIX lastView;

protected:
    void ApplyViewTransform() override {
        ++viewsApplied;
        lastView = viewMatrix;
    }
};

class CameraTest : public testing::Test {
protected:
    RecordingScene scene;

    void Start(int camera, int arrangement, float speed = 4.0f, int planet = 2) {
        scene.settings.cameraSettings = camera;
        scene.settings.arrangement = arrangement;
        scene.settings.speedOfCamera = speed;
        scene.settings.planetToView = planet;
        scene.InitCatalogue();
    }
    D3DXVECTOR3 EyeAt(float time) {
        scene.AdvanceScene(time);
        return scene.eyePos;
    }
};

void ExpectNear(const D3DXVECTOR3& v, float x, float y, float z, float tolerance = 1e-3f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

// A view is a rotation plus translation: orthonormal 3x3 block and finite everywhere.
void ExpectProperView(const D3DXMATRIX& view) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            ASSERT_TRUE(std::isfinite(view.m[r][c])) << r << "," << c;
        }
    }
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            const float dot =
                view.m[0][a] * view.m[0][b] + view.m[1][a] * view.m[1][b] + view.m[2][a] * view.m[2][b];
            EXPECT_NEAR(dot, a == b ? 1.0f : 0.0f, 1e-5f) << a << "," << b;
        }
    }
}

TEST_F(CameraTest, EyesAtTimeZero) {
    Start(CameraAround, 0);
    ExpectNear(EyeAt(0), 1500, 250, 0);
    Start(CameraAround, 2);
    ExpectNear(EyeAt(0), 400, 160, 0);
    Start(CameraElliptic, 1);
    ExpectNear(EyeAt(0), 1500, 60, 0);
    Start(CameraElliptic, 2);
    ExpectNear(EyeAt(0), 500, 60, 0);
    Start(CameraChaotic, 0);
    ExpectNear(EyeAt(0), 0, 500, 0);
    Start(CameraChaotic, 2);
    ExpectNear(EyeAt(0), 0, 50, 0);
    Start(CameraPanoramic, 1);
    ExpectNear(EyeAt(0), 1500, 200, 0);
    Start(CameraPanoramic, 2);
    ExpectNear(EyeAt(0), 310, 0, 0);
    EXPECT_EQ(scene.lookAtPos, D3DXVECTOR3(0, 0, 0));
}

TEST_F(CameraTest, EyesAtAChosenTime) {
    // time 8 at speed 4: C = 2, theta = 1.
    const float c1 = std::cos(1.0f);
    const float s1 = std::sin(1.0f);
    Start(CameraAround, 0);
    ExpectNear(EyeAt(8), 1500 * c1, 250, 1500 * s1);
    Start(CameraElliptic, 2);
    ExpectNear(EyeAt(8), 500 * c1, 60, 40 * s1);
    Start(CameraPanoramic, 0);
    ExpectNear(EyeAt(8), 1500 * c1, 200 * std::cos(0.5f), 1000 * s1);
    Start(CameraPanoramic, 2);
    ExpectNear(EyeAt(8), 310 * c1, 100 * std::sin(0.5f), 400 * s1);
    Start(CameraChaotic, 1);
    ExpectNear(EyeAt(8), static_cast<float>(1000 * std::sin(2 * 0.73)),
               static_cast<float>(250 * std::sin(2 * 0.678) + 500),
               static_cast<float>(1000 * std::sin(2 * 0.895)));
}

TEST_F(CameraTest, PlanetViewCirclesTheMovingPlanet) {
    Start(CameraPlanetView, 2, 4.0f, 5);  // Jupiter, radius 11.21
    scene.AdvanceScene(0);
    const D3DXVECTOR3 p = scene.bodies[5].position;
    const float s = 11.21f;
    ExpectNear(scene.eyePos, p.x + 6 * s, 6 * s, p.z);
    EXPECT_EQ(scene.lookAtPos, p);
    scene.AdvanceScene(8);  // theta = 1, the planet has moved on
    const D3DXVECTOR3 q = scene.bodies[5].position;
    EXPECT_NE(q, p);
    ExpectNear(scene.eyePos, q.x + 6 * s * std::cos(1.0f), 6 * s, q.z + 14 * s * std::sin(1.0f));
    EXPECT_EQ(scene.lookAtPos, q);
}

TEST_F(CameraTest, SlowerSpeedSettingStretchesTheTime) {
    Start(CameraAround, 0, 7.0f);
    const D3DXVECTOR3 slow = EyeAt(7.0f);
    Start(CameraAround, 0, 2.0f);
    const D3DXVECTOR3 fast = EyeAt(2.0f);
    ExpectNear(slow, fast.x, fast.y, fast.z);
}

TEST_F(CameraTest, StaticCameraIgnoresTime) {
    Start(CameraStatic, 0);
    const D3DXVECTOR3 eye = EyeAt(0);
    EXPECT_EQ(eye, scene.staticEyePos);
    const D3DXMATRIX first = scene.viewMatrix;
    EXPECT_EQ(EyeAt(1234.5f), eye);
    EXPECT_EQ(std::memcmp(&first, &scene.viewMatrix, sizeof(D3DXMATRIX)), 0);
}

TEST_F(CameraTest, ViewIsTheLookAtMatrixAndReachesTheDevice) {
    Start(CameraAround, 0);
    scene.AdvanceScene(3.0f);
    const D3DXVECTOR3 up(0, 1, 0);
    D3DXMATRIX expected;
    D3DXMatrixLookAtLH(&expected, &scene.eyePos, &scene.lookAtPos, &up);
    EXPECT_EQ(std::memcmp(&expected, &scene.viewMatrix, sizeof(D3DXMATRIX)), 0);
    EXPECT_EQ(scene.viewsApplied, 1);
    EXPECT_EQ(std::memcmp(&expected, &scene.lastView, sizeof(D3DXMATRIX)), 0);
}

TEST_F(CameraTest, ChaoticStartLooksStraightDownWithoutNaN) {
    for (int arrangement : {0, 2}) {
        Start(CameraChaotic, arrangement);
        scene.AdvanceScene(0);
        ExpectProperView(scene.viewMatrix);
        // The Sun is straight ahead of the eye.
        D3DXVECTOR3 sunInView;
        const D3DXVECTOR3 sun(0, 0, 0);
        D3DXVec3TransformCoord(&sunInView, &sun, &scene.viewMatrix);
        ExpectNear(sunInView, 0, 0, scene.eyePos.y);
    }
}

TEST(ViewMatrix, DegenerateEyesStayProper) {
    ExpectProperView(BuildViewMatrix(D3DXVECTOR3(0, 90, 0), D3DXVECTOR3(0, 0, 0)));   // above
    ExpectProperView(BuildViewMatrix(D3DXVECTOR3(0, -90, 0), D3DXVECTOR3(0, 0, 0)));  // below
    ExpectProperView(BuildViewMatrix(D3DXVECTOR3(5, 5, 5), D3DXVECTOR3(5, 5, 5)));    // at the target
}

TEST_F(CameraTest, UnknownModeKeepsTheEye) {
    Start(CameraAround, 0);
    scene.AdvanceScene(0);
    const D3DXVECTOR3 eye = scene.eyePos;
    scene.settings.cameraSettings = 9;
    scene.AdvanceScene(5);
    EXPECT_EQ(scene.eyePos, eye);
}

TEST_F(CameraTest, ZeroSpeedDoesNotFreezeIntoNaN) {
    Start(CameraAround, 0, 0.0f);
    const D3DXVECTOR3 eye = EyeAt(10.0f);
    EXPECT_TRUE(std::isfinite(eye.x) && std::isfinite(eye.z));
}

}  // namespace
