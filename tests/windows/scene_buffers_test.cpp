#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "scene/line_ribbon.h"
#include "scene/win32/orrery_saver.h"
#include "scene/win32/vertex_buffer_upload.h"
#include "support/recording_device.h"

namespace {

// Creation order of BuildStaticGeometry: star box, quad, five spheres, two rings.
constexpr int SkyBoxCreation = 0;
constexpr int QuadCreation = 1;
constexpr int FirstSphereCreation = 2;
constexpr int SaturnRingCreation = 7;

class SceneBuffersTest : public testing::Test {
protected:
    RecordingDevice device;
    OrrerySaver saver;

    void SetUp() override {
        saver.activeDevice = &device;
        saver.settings.arrangement = ArrangementRealTogether;
        saver.settings.cameraSettings = CameraElliptic;
    }
    void TearDown() override {
        ReleaseAll();
        EXPECT_EQ(device.LiveVertexBuffers(), 0) << "buffers left";
        EXPECT_EQ(device.LiveTextures(), 0) << "textures left";
    }
    RecordedVertexBuffer* Fake(IDirect3DVertexBuffer8* buffer) {
        return static_cast<RecordedVertexBuffer*>(buffer);
    }
    RecordedVertexBuffer* Created(size_t k) { return device.vertexBuffers.at(k).get(); }
    void PrepareGeometry(UINT screen) {
        saver.UseScreenDevice(screen);
        ASSERT_EQ(saver.BuildStaticGeometry(), S_OK);
        saver.InitCatalogue();
        saver.BuildLineObjects();
    }
    void ReleaseAll() {
        for (DeviceSceneObjects& objects : saver.deviceObjects) {
            ReleaseSceneTextures(objects);
            ReleaseSceneBuffers(objects);
        }
    }
};

bool RecordIsEmpty(const DeviceSceneObjects& objects) {
    DeviceSceneObjects empty = {};
    return std::memcmp(&objects, &empty, sizeof(empty)) == 0;
}

TEST_F(SceneBuffersTest, NothingExistsAfterConstruction) {
    for (const DeviceSceneObjects& objects : saver.deviceObjects) {
        EXPECT_TRUE(RecordIsEmpty(objects));
    }
    EXPECT_EQ(saver.musicPlayer, nullptr);
    EXPECT_EQ(saver.currentDevice, nullptr);
    EXPECT_STREQ(saver.infoLines[3], " ");
}

TEST_F(SceneBuffersTest, StaticGeometryBuffersAndCounts) {
    saver.UseScreenDevice(0);
    ASSERT_EQ(saver.BuildStaticGeometry(), S_OK);
    ASSERT_EQ(device.vertexBuffers.size(), 10u);
    const UINT lengths[] = {24 * 20,   4 * 20,    40 * 32,  144 * 32, 544 * 32,
                            2112 * 32, 8320 * 32, 130 * 32, 130 * 32, 8000 * 16};
    const DWORD formats[] = {0x102, 0x102, 0x112, 0x112, 0x112, 0x112, 0x112, 0x112, 0x112, 0x042};
    for (size_t k = 0; k < device.vertexBuffers.size(); ++k) {
        const RecordedVertexBuffer* b = Created(k);
        EXPECT_EQ(b->desc.Size, lengths[k]) << k;
        EXPECT_EQ(b->desc.FVF, formats[k]) << k;
        EXPECT_EQ(b->desc.Usage, static_cast<DWORD>(D3DUSAGE_WRITEONLY));
        EXPECT_EQ(b->desc.Pool, D3DPOOL_MANAGED);
        ASSERT_EQ(b->locks.size(), 1u);
        EXPECT_EQ(b->locks[0].offset + b->locks[0].size, 0u) << "the whole buffer";
        EXPECT_EQ(b->unlocks, 1);
    }
    const DeviceSceneObjects& objects = saver.deviceObjects[0];
    EXPECT_EQ(objects.skyBoxBuffer, Created(SkyBoxCreation));
    EXPECT_EQ(objects.quadBuffer, Created(QuadCreation));
    EXPECT_EQ(objects.ringBuffers[1], Created(SaturnRingCreation + 1));
    EXPECT_EQ(objects.starBuffer, Created(SaturnRingCreation + 2)) << "the stars, last";
    EXPECT_EQ(saver.starCounts[0] + saver.starCounts[1] + saver.starCounts[2], 8000);
    EXPECT_EQ(saver.skyBoxVertexCount, 24);
    EXPECT_EQ(saver.quadVertexCount, 4);
    const int sphereCounts[] = {40, 144, 544, 2112, 8320};
    for (int m = 0; m < SphereDetailCount; ++m) {
        EXPECT_EQ(saver.sphereVertexCounts[m], sphereCounts[m]);
        EXPECT_EQ(objects.sphereBuffers[m], Created(FirstSphereCreation + m));
    }
    EXPECT_EQ(saver.ringVertexCounts[0], 130);
    EXPECT_EQ(saver.ringVertexCounts[1], 130);

    // The uploaded bytes are the generated vertices.
    const auto sky = GenerateSkyBox();
    EXPECT_EQ(std::memcmp(Fake(objects.skyBoxBuffer)->bytes.data(), sky.data(), 24 * 20), 0);
    const LitVertex* ring = Fake(objects.ringBuffers[0])->As<LitVertex>();
    EXPECT_FLOAT_EQ(ring[0].z, 1.8f);
    EXPECT_FLOAT_EQ(ring[1].z, 1.2f);
    const LitVertex* uranusRing = Fake(objects.ringBuffers[1])->As<LitVertex>();
    EXPECT_FLOAT_EQ(uranusRing[0].z, 1.24f);
    EXPECT_FLOAT_EQ(uranusRing[1].z, 1.1f);
}

// The orbits are polylines of the scene; each screen gets the soft edge its lines are
// drawn with, white with the coverage as alpha, and its ribbons only with its frames.
TEST_F(SceneBuffersTest, LineObjectsFromTheCatalogue) {
    PrepareGeometry(0);
    const DeviceSceneObjects& objects = saver.deviceObjects[0];
    EXPECT_TRUE(saver.orbitLines[0].empty());
    for (int i = 1; i < BodyCount; ++i) {
        EXPECT_EQ(saver.orbitLines[i].size(), i >= 8 ? 32u : 63u) << i;
    }
    // Earth's orbit: semi-axes 29.4 along x and 30.4 along z.
    EXPECT_FLOAT_EQ(saver.orbitLines[7][0].x, 29.4f);
    EXPECT_EQ(saver.orbitLines[7][0], saver.orbitLines[7][62]);
    ASSERT_NE(objects.lineTexture, nullptr);
    const RecordedTexture* edge = static_cast<const RecordedTexture*>(objects.lineTexture);
    EXPECT_EQ(edge->desc.Width, LineEdgeImageSize);
    EXPECT_EQ(edge->desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(edge->desc.Pool, D3DPOOL_MANAGED);
    EXPECT_LT(edge->Texel(0, 3) >> 24, 16u);
    EXPECT_GT(edge->Texel(LineEdgeImageSize / 2, 3) >> 24, 240u);
    EXPECT_EQ(edge->Texel(LineEdgeImageSize / 2, 3) & 0xFFFFFFu, 0xFFFFFFu);
    EXPECT_EQ(objects.lineBuffer, nullptr) << "made by the first frame";
    EXPECT_FALSE(objects.planetMapMinification.anisotropic) << "the device offers no anisotropy";
}

TEST_F(SceneBuffersTest, RelativeArrangementAndPlanetViewShapeTheOrbits) {
    saver.settings.arrangement = ArrangementRelative;
    saver.settings.cameraSettings = CameraPlanetView;
    saver.settings.planetToView = 1;
    device.textureFilterCaps = D3DPTFILTERCAPS_MINFANISOTROPIC | D3DPTFILTERCAPS_MINFLINEAR;
    device.maxAnisotropy = 16;
    PrepareGeometry(0);
    EXPECT_EQ(saver.orbitLines[1].size(), 967u);
    EXPECT_EQ(saver.orbitLines[2].size(), 63u);
    EXPECT_FLOAT_EQ(saver.orbitLines[7][0].x, 60.0f);
    EXPECT_TRUE(saver.deviceObjects[0].planetMapMinification.anisotropic);
    EXPECT_EQ(saver.deviceObjects[0].planetMapMinification.maxAnisotropy, 8u);
}

TEST_F(SceneBuffersTest, BuildersWriteOnlyTheCurrentRecord) {
    PrepareGeometry(3);
    for (int r = 0; r < DeviceRecordCount; ++r) {
        EXPECT_EQ(RecordIsEmpty(saver.deviceObjects[r]), r != 3) << r;
    }
    EXPECT_EQ(saver.currentDevice, &saver.deviceObjects[3]);
}

TEST_F(SceneBuffersTest, RebuildingReleasesWhatWasThere) {
    PrepareGeometry(2);
    const size_t perBuild = device.vertexBuffers.size();
    EXPECT_EQ(perBuild, 10u);
    EXPECT_EQ(device.LiveTextures(), 1) << "the lines' edge";
    PrepareGeometry(2);
    EXPECT_EQ(device.vertexBuffers.size(), 2 * perBuild);
    EXPECT_EQ(device.LiveVertexBuffers(), static_cast<int>(perBuild)) << "the first build's are all released";
    for (size_t k = 0; k < perBuild; ++k) {
        EXPECT_EQ(Created(k)->references, 0u) << k;
    }
    EXPECT_EQ(device.LiveTextures(), 1);
}

TEST_F(SceneBuffersTest, FailedStarBoxOrQuadFailsTheBuild) {
    saver.UseScreenDevice(0);
    device.failVertexBufferCreations = {SkyBoxCreation};
    EXPECT_EQ(saver.BuildStaticGeometry(), E_FAIL);
    EXPECT_EQ(device.Count("CreateVertexBuffer"), 1) << "nothing more is built";
    EXPECT_EQ(saver.deviceObjects[0].skyBoxBuffer, nullptr);

    device.ClearRecords();
    device.failVertexBufferCreations = {QuadCreation};
    EXPECT_EQ(saver.BuildStaticGeometry(), E_FAIL);
    EXPECT_EQ(device.Count("CreateVertexBuffer"), 2);
    EXPECT_EQ(saver.deviceObjects[0].quadBuffer, nullptr);
    EXPECT_EQ(saver.deviceObjects[0].sphereBuffers[0], nullptr);
}

TEST_F(SceneBuffersTest, OtherFailuresLeaveEmptySlots) {
    saver.UseScreenDevice(0);
    device.failVertexBufferCreations = {FirstSphereCreation + 2, SaturnRingCreation};
    ASSERT_EQ(saver.BuildStaticGeometry(), S_OK);
    const DeviceSceneObjects& objects = saver.deviceObjects[0];
    EXPECT_EQ(objects.sphereBuffers[2], nullptr);
    EXPECT_EQ(saver.sphereVertexCounts[2], 544) << "the count is written before creating";
    EXPECT_NE(objects.sphereBuffers[3], nullptr);
    EXPECT_EQ(objects.ringBuffers[0], nullptr);
    EXPECT_NE(objects.ringBuffers[1], nullptr);

    // Without their edge the lines are left out, and the scene goes on.
    device.createTextureResult = E_OUTOFMEMORY;
    saver.InitCatalogue();
    saver.BuildLineObjects();
    EXPECT_EQ(objects.lineTexture, nullptr);
    EXPECT_EQ(saver.orbitLines[4].size(), 63u);
}

TEST_F(SceneBuffersTest, BufferThatCannotBeLockedIsNotKept) {
    saver.UseScreenDevice(0);
    device.unlockableVertexBuffers = {FirstSphereCreation, SkyBoxCreation};
    EXPECT_EQ(saver.BuildStaticGeometry(), E_FAIL);
    EXPECT_EQ(device.vertexBuffers.size(), 1u);
    EXPECT_EQ(device.LiveVertexBuffers(), 0) << "the star box that could not be written is released";

    device.ClearRecords();
    device.unlockableVertexBuffers = {FirstSphereCreation};
    ASSERT_EQ(saver.BuildStaticGeometry(), S_OK);
    EXPECT_EQ(saver.deviceObjects[0].sphereBuffers[0], nullptr);
    const RecordedVertexBuffer* refused = Created(1 + FirstSphereCreation);
    EXPECT_EQ(refused->desc.Size, 40u * 32u);
    EXPECT_EQ(refused->references, 0u) << "released";
    EXPECT_EQ(refused->bytes[0], RecordedVertexBuffer::Untouched) << "never written";
}

TEST_F(SceneBuffersTest, NoDeviceBuildsNothing) {
    saver.activeDevice = nullptr;
    saver.UseScreenDevice(0);
    EXPECT_EQ(saver.BuildStaticGeometry(), E_FAIL);
    saver.InitCatalogue();
    saver.BuildLineObjects();
    EXPECT_TRUE(RecordIsEmpty(saver.deviceObjects[0]));
}

// Each screen writes its own ribbons with one discarding lock a frame, into a dynamic
// buffer that grows when a frame needs more room and gives back the one before.
TEST_F(SceneBuffersTest, EachScreenWritesItsRibbonsWithOneDiscardingLock) {
    saver.settings.distances = 1;
    saver.settings.trajectories = 1;
    saver.renderTotal = RECT{0, 0, 800, 600};
    saver.renderCurrent = saver.renderTotal;
    PrepareGeometry(0);
    PrepareGeometry(1);
    saver.time = 12.0f;
    saver.AdvanceFrame();
    for (UINT screen = 0; screen < 2; ++screen) {
        saver.UseScreenDevice(screen);
        saver.screenDpi = screen == 0 ? 96 : 192;
        saver.WriteLineRibbons(true, true);
        const RecordedVertexBuffer* lines = Fake(saver.deviceObjects[screen].lineBuffer);
        ASSERT_NE(lines, nullptr);
        EXPECT_EQ(lines->desc.Usage, static_cast<DWORD>(D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC));
        EXPECT_EQ(lines->desc.Pool, D3DPOOL_DEFAULT) << "given back before a reset";
        EXPECT_EQ(lines->desc.FVF, 0x142u);
        ASSERT_EQ(lines->locks.size(), 1u);
        EXPECT_EQ(lines->locks[0].flags, static_cast<DWORD>(D3DLOCK_DISCARD));
        // The buffer holds what this screen's view makes of the orbits and the dashes: the
        // parts beyond the Sun, then those before it.
        RibbonStrips expected;
        const RibbonView view = saver.LineRibbonView();
        EXPECT_FLOAT_EQ(view.halfWidthPixels, screen == 0 ? 1.0f : 1.5f);
        for (int i = 1; i < BodyCount; ++i) {
            AppendRibbon(saver.orbitLines[i].data(), saver.orbitLines[i].size(), OrbitLineColour, view,
                         expected);
        }
        for (int i = 1; i < BodyCount; ++i) {
            for (int end = 0; end < DistanceDashPointCount; end += 2) {
                AppendRibbon(&saver.distanceDashPoints[i][end], 2, DistanceLineColour, view, expected);
            }
        }
        std::vector<LineVertex> both = expected.behind;
        both.insert(both.end(), expected.inFront.begin(), expected.inFront.end());
        ASSERT_EQ(lines->locks[0].size, both.size() * sizeof(LineVertex));
        EXPECT_EQ(std::memcmp(lines->bytes.data(), both.data(), lines->locks[0].size), 0);
        EXPECT_TRUE(lines->GuardIntact());
    }
    const D3DXVECTOR3 anchor = DistanceLabelAnchor(saver.bodies[0].position, saver.bodies[6].position, 30.0f);
    EXPECT_EQ(saver.bodies[6].distanceLabelPos, anchor);

    // A frame that needs more room than there is gets a larger buffer.
    saver.UseScreenDevice(0);
    const UINT room = saver.deviceObjects[0].lineBufferVertices;
    saver.orbitLines[1] = OrbitLinePoints({{0, 0, 0}, {900, 0, 0}, {0, 0, 1400}}, 4000);
    saver.WriteLineRibbons(true, true);
    EXPECT_GT(saver.deviceObjects[0].lineBufferVertices, room);
    EXPECT_TRUE(Fake(saver.deviceObjects[0].lineBuffer)->GuardIntact());
    EXPECT_EQ(device.LiveVertexBuffers(), 2 * 10 + 2) << "the smaller one given back";
}

TEST_F(SceneBuffersTest, ALineBufferThatCannotBeMadeOrLockedDrawsNoLines) {
    saver.settings.trajectories = 1;
    PrepareGeometry(0);
    saver.time = 3.0f;
    saver.AdvanceFrame();
    device.ClearRecords();
    device.failVertexBufferCreations = {0};
    saver.WriteLineRibbons(true, false);
    EXPECT_EQ(saver.deviceObjects[0].lineBuffer, nullptr);
    saver.WriteLineRibbons(true, false);
    ASSERT_NE(saver.deviceObjects[0].lineBuffer, nullptr) << "tried again the next frame";
    Fake(saver.deviceObjects[0].lineBuffer)->lockRefused = true;
    saver.WriteLineRibbons(true, false);
    saver.DrawLinesBehindSun();
    saver.DrawLinesInFrontOfSun();
    EXPECT_TRUE(device.draws.empty());
}

TEST_F(SceneBuffersTest, ViewReachesTheActiveDevice) {
    saver.settings.cameraSettings = CameraAround;
    saver.InitCatalogue();
    saver.time = 5.0f;
    saver.AdvanceFrame();
    EXPECT_EQ(device.Count("SetTransform"), 1);
    EXPECT_EQ(std::memcmp(&device.transforms[D3DTS_VIEW], &saver.viewMatrix, sizeof(D3DMATRIX)), 0);
    saver.activeDevice = nullptr;
    EXPECT_EQ(saver.AdvanceFrame(), S_OK);
    EXPECT_EQ(device.Count("SetTransform"), 1);
}

TEST_F(SceneBuffersTest, MusicKeepAliveIsQuietWithoutAPlayer) {
    saver.settings.audio = 1;
    saver.mode = SaverMode::Full;
    saver.InitCatalogue();
    saver.time = 10.0f;
    EXPECT_EQ(saver.AdvanceFrame(), S_OK);
    EXPECT_EQ(saver.musicClockLast, 0.0f);
    EXPECT_EQ(saver.musicClockSum, 0.0f);
}

TEST_F(SceneBuffersTest, StaticEyeComesFromTheSystemClock) {
    saver.settings.cameraSettings = CameraStatic;
    const DWORD before = timeGetTime();
    saver.InitCatalogue();
    const DWORD after = timeGetTime();
    // The seed lies between the two readings: replay the draws for each candidate.
    bool matched = false;
    for (DWORD seed = before; seed <= after && !matched; ++seed) {
        OrreryScene replay;
        replay.randomState = seed;
        const int a = static_cast<int>(replay.NextRandom(0, 20));
        const int b = static_cast<int>(replay.NextRandom(3, 11));
        const int c = static_cast<int>(replay.NextRandom(0, 20));
        matched =
            saver.staticEyePos == D3DXVECTOR3(float((a - 10) * 10), float(b * 10), float((c - 10) * 10));
    }
    EXPECT_TRUE(matched);
}

}  // namespace
