#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <cstring>

#include "scene/win32/orrery_saver.h"
#include "scene/win32/vertex_buffer_upload.h"
#include "support/real_device.h"

namespace {

// A small windowed Direct3D 8 device of the machine's default adapter.
class RealDeviceTest : public testing::Test {
protected:
    RealDevice real;
    IDirect3DDevice8* device = real.Device();

    void SetUp() override { ASSERT_NE(device, nullptr) << real.Error(); }
};

TEST_F(RealDeviceTest, SceneGeometryAndRibbonsOnADevice) {
    OrrerySaver saver;
    saver.activeDevice = device;
    saver.settings.arrangement = ArrangementRealWithPeriods;
    saver.settings.cameraSettings = CameraChaotic;
    saver.settings.distances = 1;
    saver.UseScreenDevice(0);
    ASSERT_EQ(saver.BuildStaticGeometry(), S_OK);
    saver.InitCatalogue();
    saver.BuildLineObjects();

    DeviceSceneObjects& objects = saver.deviceObjects[0];
    D3DVERTEXBUFFER_DESC desc = {};
    ASSERT_EQ(objects.skyBoxBuffer->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Size, 480u);
    EXPECT_EQ(desc.FVF, 0x102u);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(desc.Usage, static_cast<DWORD>(D3DUSAGE_WRITEONLY));
    for (int m = 0; m < SphereDetailCount; ++m) {
        EXPECT_NE(objects.sphereBuffers[m], nullptr) << m;
    }
    ASSERT_NE(objects.lineTexture, nullptr) << "the device takes the lines' soft edge";

    // Frames on the device, the first with the chaotic camera looking straight down, each
    // writing the ribbons of every line into one dynamic buffer.
    for (int frame = 0; frame < 50; ++frame) {
        saver.time = frame * 0.5f;
        EXPECT_EQ(saver.AdvanceFrame(), S_OK);
        saver.WriteLineRibbons(true, true);
    }
    ASSERT_NE(objects.lineBuffer, nullptr);
    ASSERT_EQ(objects.lineBuffer->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(desc.FVF, 0x142u);
    D3DMATRIX view = {};
    ASSERT_EQ(device->GetTransform(D3DTS_VIEW, &view), D3D_OK);
    EXPECT_EQ(std::memcmp(&view, &saver.viewMatrix, sizeof(D3DMATRIX)), 0);

    ReleaseSceneBuffers(objects);
    ReleaseSceneTextures(objects);
    objects.planetMapMinification = MapMinification{};
    EXPECT_TRUE(std::memcmp(&objects, &saver.deviceObjects[1], sizeof(DeviceSceneObjects)) == 0);
    // Buffers hold the device; with all of them released only the test's reference is left.
    EXPECT_EQ(real.References(), 1u);
}

}  // namespace
