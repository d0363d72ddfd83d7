#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "scene/still_text_drift.h"
#include "scene/win32/orrery_saver.h"
#include "scene/win32/vertex_buffer_upload.h"
#include "support/recording_device.h"
#include "text/font_flags.h"
#include "text/font_vertex.h"
#include "text/win32/texture_font.h"

namespace {

// The scene's device objects and frames on a device that records every draw with the
// states it was drawn with: what the screen cannot show one by one (the order of the
// draws, the states of each step, the preview's texts, which a preview window under
// Wine never shows).

bool SameMatrix(const D3DMATRIX& a, const D3DMATRIX& b) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (std::abs(a.m[r][c] - b.m[r][c]) > 1e-4f * (1.0f + std::abs(b.m[r][c]))) {
                return false;
            }
        }
    }
    return true;
}

bool RecordIsEmpty(const DeviceSceneObjects& objects) {
    const DeviceSceneObjects empty = {};
    return std::memcmp(&objects, &empty, sizeof(empty)) == 0;
}

class SceneOnRecordingDevice : public testing::Test {
protected:
    static inline uint32_t clock = 0;  // the saver's millisecond clock
    RecordingDevice device;
    OrrerySaver saver;
    DeviceSceneObjects& objects = saver.deviceObjects[0];

    void SetUp() override {
        saver.mode = SaverMode::Test;
        saver.activeDevice = &device;
        saver.backBufferDesc.Width = 800;
        saver.backBufferDesc.Height = 600;
        saver.renderTotal = RECT{0, 0, 800, 600};
        saver.renderCurrent = saver.renderTotal;
        saver.settings.audio = 0;
        saver.settings.customAudio = 0;
        saver.settings.cameraSettings = CameraElliptic;
        saver.millisecondClock = [] { return clock; };
        clock = 0;  // the first screen's still texts at their places
        saver.UseScreenDevice(0);
    }
    void TearDown() override {
        saver.activeDevice = &device;
        for (UINT i = 0; i < DeviceRecordCount; ++i) {
            saver.UseScreenDevice(i);
            saver.ReleaseDeviceObjects();
        }
        EXPECT_EQ(device.LiveTextures(), 0) << "textures left";
        EXPECT_EQ(device.LiveVertexBuffers(), 0) << "vertex buffers left";
        EXPECT_EQ(device.liveStateBlocks, 0) << "state blocks left";
    }

    void Prepare() { ASSERT_EQ(saver.PrepareDeviceObjects(), S_OK); }

    // One frame at `time`, recorded from the start of RenderFrame.
    void Frame(float time = 2.0f) {
        saver.time = time;
        saver.AdvanceFrame();
        device.ClearRecords();
        EXPECT_EQ(saver.RenderFrame(), S_OK);
    }

    // What a draw shows, by the buffer it draws from (and for billboards the texture).
    std::string Label(const DrawRecord& draw) const {
        if (draw.stream == objects.skyBoxBuffer) {
            return "sky";
        }
        if (draw.stream == objects.starBuffer) {
            return "stars";
        }
        if (draw.stream == objects.quadBuffer) {
            return draw.texture == objects.sunGlowTexture ? "glow" : "halo";
        }
        for (int m = 0; m < SphereDetailCount; ++m) {
            if (draw.stream == objects.sphereBuffers[m]) {
                return "planet";
            }
        }
        for (int k = 0; k < RingCount; ++k) {
            if (draw.stream == objects.ringBuffers[k]) {
                return "ring";
            }
        }
        if (draw.stream == objects.lineBuffer) {
            return "lines";
        }
        const TextureFont* fonts[] = {objects.labelFont, objects.panelFont, objects.titleFont,
                                      objects.nameFont};
        const char* names[] = {"label", "panel", "title", "name"};
        for (int f = 0; f < 4; ++f) {
            if (fonts[f] != nullptr && draw.stream == fonts[f]->VertexBuffer()) {
                return names[f];
            }
        }
        return "?";
    }

    // The draws of the last frame as labels, runs of one label as "label*count".
    std::vector<std::string> Summary() const {
        std::vector<std::string> runs;
        std::string last;
        int count = 0;
        auto flush = [&] {
            if (count > 0) {
                runs.push_back(count == 1 ? last : last + "*" + std::to_string(count));
            }
        };
        for (const DrawRecord& draw : device.draws) {
            const std::string label = Label(draw);
            if (label != last) {
                flush();
                last = label;
                count = 0;
            }
            ++count;
        }
        flush();
        return runs;
    }

    // The summary with the lines' draws taken out; `lines` gets how many there were, and
    // `afterPlanets` whether each came after the planets and before any text.
    std::vector<std::string> SummaryWithoutLines(int* lines, bool* afterPlanets) const {
        std::vector<std::string> runs;
        *lines = 0;
        *afterPlanets = true;
        bool planetsSeen = false;
        bool textSeen = false;
        for (const std::string& run : Summary()) {
            planetsSeen = planetsSeen || run.rfind("planet", 0) == 0;
            textSeen = textSeen || run.rfind("name", 0) == 0 || run.rfind("title", 0) == 0;
            if (run.rfind("lines", 0) == 0) {
                *lines += run == "lines" ? 1 : std::stoi(run.substr(6));
                *afterPlanets = *afterPlanets && planetsSeen && !textSeen;
            } else {
                runs.push_back(run);
            }
        }
        return runs;
    }

    std::vector<const DrawRecord*> Draws(const std::string& label) const {
        std::vector<const DrawRecord*> found;
        for (const DrawRecord& draw : device.draws) {
            if (Label(draw) == label) {
                found.push_back(&draw);
            }
        }
        return found;
    }

    const RecordedTexture* Recorded(IDirect3DTexture8* texture) const {
        return static_cast<const RecordedTexture*>(texture);
    }
};

using Labels = std::vector<std::string>;

TEST_F(SceneOnRecordingDevice, PreparationFillsEverySlotOfTheCurrentDevice) {
    saver.UseScreenDevice(2);
    Prepare();
    DeviceSceneObjects& prepared = saver.deviceObjects[2];
    EXPECT_TRUE(RecordIsEmpty(saver.deviceObjects[0]));
    EXPECT_EQ(saver.screenWidth, 800);
    EXPECT_EQ(saver.screenHeight, 600);

    for (IDirect3DTexture8* face : prepared.skyTextures) {
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(Recorded(face)->desc.Width, 512u);
        EXPECT_EQ(Recorded(face)->desc.Format, D3DFMT_X8R8G8B8) << "an opaque JPEG";
        EXPECT_EQ(Recorded(face)->desc.Pool, D3DPOOL_MANAGED);
    }
    EXPECT_EQ(prepared.bodyTextures[0], nullptr) << "the Sun is only its glow";
    for (int i = 1; i < BodyCount; ++i) {
        ASSERT_NE(prepared.bodyTextures[i], nullptr) << i;
        EXPECT_EQ(Recorded(prepared.bodyTextures[i])->desc.Width, 512u);
        EXPECT_EQ(Recorded(prepared.bodyTextures[i])->desc.Height, i == 9 ? 512u : 256u) << i;
        EXPECT_EQ(Recorded(prepared.bodyTextures[i])->smallerLevels.size(), 9u) << "down to 1 x 1: " << i;
    }
    EXPECT_TRUE(Recorded(prepared.skyTextures[0])->smallerLevels.empty()) << "never seen smaller";
    const IDirect3DTexture8* tga[] = {prepared.haloTexture, prepared.sunGlowTexture, prepared.ringTexture};
    const UINT tgaSizes[] = {128, 512, 64};
    for (int t = 0; t < 3; ++t) {
        ASSERT_NE(tga[t], nullptr) << t;
        const RecordedTexture* texture = static_cast<const RecordedTexture*>(tga[t]);
        EXPECT_EQ(texture->desc.Width, tgaSizes[t]);
        EXPECT_EQ(texture->desc.Format, D3DFMT_A8R8G8B8) << "the TGA images keep their alpha";
    }
    EXPECT_NE(prepared.skyBoxBuffer, nullptr);
    EXPECT_NE(prepared.lineTexture, nullptr);

    ASSERT_NE(prepared.labelFont, nullptr);
    EXPECT_STREQ(prepared.labelFont->FaceName(), "Arial");
    EXPECT_EQ(prepared.labelFont->Height(), 12u);
    EXPECT_STREQ(prepared.panelFont->FaceName(), "Tahoma");
    EXPECT_EQ(prepared.panelFont->Height(), 14u);
    EXPECT_STREQ(prepared.titleFont->FaceName(), "Tahoma");
    EXPECT_EQ(prepared.titleFont->Height(), 11u);
    EXPECT_EQ(prepared.titleFont->Flags(), 1u) << "bold";
    EXPECT_NE(prepared.titleFont->VertexBuffer(), nullptr) << "restored, ready to draw";
    // The names' font is as large as a name can appear on the 600 pixels of this screen,
    // and is the only one seen smaller than its glyphs: it alone has mipmaps, each level
    // filled from the one before.
    ASSERT_NE(prepared.nameFont, nullptr);
    EXPECT_STREQ(prepared.nameFont->FaceName(), "Arial");
    EXPECT_EQ(prepared.nameFont->Flags(), FontBold | FontMipmaps);
    EXPECT_EQ(prepared.nameFont->Height(), 60u);
    EXPECT_FLOAT_EQ(prepared.nameFontScale, 5.0f);
    EXPECT_EQ(prepared.nameFont->Atlas().textScale, 1.0f);
    const RecordedTexture* names = Recorded(prepared.nameFont->Texture());
    const UINT levels = 1 + static_cast<UINT>(names->smallerLevels.size());
    ASSERT_EQ(levels, 11u) << "1024 x 1024 down to 1 x 1";
    EXPECT_TRUE(names->PaddingUntouched());
    for (UINT level = 1; level < levels; level += 3) {
        const UINT side = names->smallerLevels[level - 1].desc.Width;
        bool covered = false;
        for (UINT y = 0; y < side && !covered; ++y) {
            for (UINT x = 0; x < side && !covered; ++x) {
                covered = (names->Texel(x, y, level) >> 12) != 0;
            }
        }
        EXPECT_TRUE(covered) << "level " << level << " shows the glyphs";
    }
    for (const TextureFont* font : {prepared.labelFont, prepared.panelFont, prepared.titleFont}) {
        EXPECT_EQ(font->Texture()->GetLevelCount(), 1u) << font->Height();
    }

    EXPECT_EQ(device.light0.Type, D3DLIGHT_POINT);
    EXPECT_FLOAT_EQ(device.light0.Diffuse.b, 0.1f);
    EXPECT_FLOAT_EQ(device.light0.Range, 3000.0f);
    EXPECT_FLOAT_EQ(device.light0.Attenuation1, 0.00005f);
    EXPECT_FALSE(device.light0Enabled) << "the drawing steps switch it on";
    EXPECT_EQ(device.renderStates[D3DRS_DITHERENABLE], 1u);
    EXPECT_EQ(device.renderStates[D3DRS_SPECULARENABLE], 0u);
}

// On a tall screen the names' glyphs grow until they fill the largest texture the
// device takes, at most 1024 x 1024, without being shrunk back into it.
TEST_F(SceneOnRecordingDevice, TheNamesFontStaysWithinTheDevicesTextures) {
    struct Case {
        UINT screenHeight;
        UINT maxTextureWidth;
        uint32_t lowest;  // height at least
        uint32_t highest;
        UINT side;  // glyph texture at most
    };
    for (const Case& c : {Case{1080, 4096, 72, 108, 1024}, Case{1080, 512, 21, 40, 512},
                          Case{1080, 256, 12, 20, 256}, Case{100, 4096, 12, 12, 256}}) {
        device.maxTextureWidth = c.maxTextureWidth;
        saver.backBufferDesc.Height = c.screenHeight;
        Prepare();
        const TextureFont* font = objects.nameFont;
        ASSERT_NE(font, nullptr);
        EXPECT_GE(font->Height(), c.lowest) << c.screenHeight << " " << c.maxTextureWidth;
        EXPECT_LE(font->Height(), c.highest) << c.screenHeight << " " << c.maxTextureWidth;
        EXPECT_FLOAT_EQ(objects.nameFontScale, font->Height() / 12.0f);
        EXPECT_LE(Recorded(font->Texture())->desc.Width, c.side);
        EXPECT_EQ(font->Atlas().textScale, 1.0f) << "rasterised at its full size";
        for (const float(&coords)[4] : font->Atlas().glyphCoords) {
            EXPECT_LE(coords[2], 1.0f);
            EXPECT_LE(coords[3], 1.0f) << "every glyph inside the texture";
        }
        saver.ReleaseDeviceObjects();
    }
}

TEST_F(SceneOnRecordingDevice, ReleaseGivesBackEveryObjectAndEmptiesTheRecord) {
    Prepare();
    saver.ReleaseDeviceObjects();
    EXPECT_TRUE(RecordIsEmpty(objects)) << "the ring texture too";
    EXPECT_EQ(device.LiveTextures(), 0);
    EXPECT_EQ(device.LiveVertexBuffers(), 0);
    EXPECT_EQ(device.liveStateBlocks, 0);

    // After a reset everything is built again from empty slots.
    Prepare();
    EXPECT_NE(objects.ringTexture, nullptr);
    EXPECT_NE(objects.labelFont, nullptr);
}

TEST_F(SceneOnRecordingDevice, PreparingTwiceKeepsExactlyOneOfEverything) {
    Prepare();
    const int textures = device.LiveTextures();
    const int buffers = device.LiveVertexBuffers();
    EXPECT_EQ(textures, 18 + 4 + 1) << "scene textures, the four glyph textures, the lines' edge";
    Prepare();
    EXPECT_EQ(device.LiveTextures(), textures);
    EXPECT_EQ(device.LiveVertexBuffers(), buffers);
    EXPECT_EQ(device.liveStateBlocks, 8);
    for (const auto& texture : device.textures) {
        EXPECT_LE(texture->references, 1u);
    }
    ASSERT_EQ(saver.LoadSceneTextures(), S_OK);
    EXPECT_EQ(device.LiveTextures(), textures);
}

TEST_F(SceneOnRecordingDevice, TheStarsSettingPicksTheDenserSky) {
    auto sameImage = [&](IDirect3DTexture8* face, int resource) {
        IDirect3DTexture8* reference = nullptr;
        EXPECT_EQ(saver.LoadResourceTexture(resource, &reference), S_OK);
        const bool same = Recorded(face)->memory == Recorded(reference)->memory;
        reference->Release();
        return same;
    };
    const auto starPoints = [&] {
        const D3DVERTEXBUFFER_DESC& desc = static_cast<const RecordedVertexBuffer*>(objects.starBuffer)->desc;
        return desc.Size / sizeof(StarVertex);
    };
    saver.settings.stars = 1;
    Prepare();
    EXPECT_TRUE(sameImage(objects.skyTextures[2], IDR_MORE_STARS_POS_Y));
    EXPECT_TRUE(sameImage(objects.skyTextures[0], IDR_MORE_STARS_POS_X));
    EXPECT_FALSE(sameImage(objects.skyTextures[2], IDR_STARS_POS_Y));
    EXPECT_EQ(starPoints(), 24000u);

    saver.settings.stars = 0;  // read again at the next preparation
    Prepare();
    EXPECT_TRUE(sameImage(objects.skyTextures[2], IDR_STARS_POS_Y));
    EXPECT_EQ(starPoints(), 8000u);
}

TEST_F(SceneOnRecordingDevice, AMissingResourceIsEFail) {
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(saver.LoadResourceTexture(107, &texture), E_FAIL);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(saver.LoadResourceTexture(IDR_EARTH, nullptr), E_POINTER);
    EXPECT_EQ(device.LiveTextures(), 0);
}

TEST_F(SceneOnRecordingDevice, WithoutADeviceNothingIsPrepared) {
    saver.activeDevice = nullptr;
    EXPECT_EQ(saver.PrepareDeviceObjects(), S_OK);
    EXPECT_TRUE(RecordIsEmpty(objects));
    EXPECT_EQ(saver.RenderFrame(), S_OK);
}

TEST_F(SceneOnRecordingDevice, AFrameWithoutOverlaysDrawsTheSceneInItsOrder) {
    Prepare();
    Frame();
    saver.saturnNearerThanSun = false;
    device.ClearRecords();
    saver.RenderFrame();
    EXPECT_EQ(Summary(), (Labels{"sky*6", "stars*3", "halo*9", "planet*9", "ring*2", "glow"}));

    ASSERT_GE(device.calls.size(), 3u);
    EXPECT_EQ(device.calls[0], "SetTransform") << "the projection";
    EXPECT_EQ(device.calls[1], "Clear");
    EXPECT_EQ(device.calls[2], "BeginScene");
    EXPECT_EQ(device.calls.back(), "EndScene");
    EXPECT_EQ(device.Count("Present"), 0);

    saver.saturnNearerThanSun = true;  // the farther blended layer goes first
    device.ClearRecords();
    saver.RenderFrame();
    EXPECT_EQ(Summary(), (Labels{"sky*6", "stars*3", "halo*9", "planet*9", "glow", "ring*2"}));
}

TEST_F(SceneOnRecordingDevice, EachStepDrawsWithItsStates) {
    saver.settings.trajectories = 1;
    saver.settings.distances = 1;
    Prepare();
    Frame(3.0f);
    saver.saturnNearerThanSun = false;
    device.ClearRecords();
    saver.RenderFrame();
    int lineDraws = 0;
    bool afterPlanets = false;
    ASSERT_EQ(SummaryWithoutLines(&lineDraws, &afterPlanets),
              (Labels{"sky*6", "stars*3", "halo*9", "planet*9", "ring*2", "glow", "name*9"}));
    EXPECT_EQ(lineDraws, 2) << "the lines beyond the Sun before its glow, the rest after it";
    EXPECT_TRUE(afterPlanets);
    EXPECT_EQ(Summary()[4], "lines") << "straight after the planets";
    EXPECT_EQ(Summary()[7], "lines") << "after the glow";

    const D3DXMATRIX boxView = saver.StarBoxView();
    const std::vector<const DrawRecord*> sky = Draws("sky");
    for (int face = 0; face < 6; ++face) {
        EXPECT_EQ(sky[face]->startVertex, 4u * face);
        EXPECT_EQ(sky[face]->count, 2u);
        EXPECT_EQ(sky[face]->texture, objects.skyTextures[face]);
        EXPECT_EQ(sky[face]->RenderState(D3DRS_ZENABLE), 0u);
        EXPECT_EQ(sky[face]->RenderState(D3DRS_ZWRITEENABLE), 0u);
        EXPECT_TRUE(SameMatrix(sky[face]->view, boxView));
        EXPECT_EQ(sky[face]->vertexShader, 0x102u);
        EXPECT_EQ(sky[face]->stride, 20u);
        // Always magnified: a linear filter, each face up to its own edge and no further.
        EXPECT_EQ(sky[face]->stageStates.at({0, D3DTSS_MINFILTER}), static_cast<DWORD>(D3DTEXF_LINEAR));
        EXPECT_EQ(sky[face]->stageStates.at({0, D3DTSS_MAGFILTER}), static_cast<DWORD>(D3DTEXF_LINEAR));
        EXPECT_EQ(sky[face]->stageStates.at({0, D3DTSS_ADDRESSU}), static_cast<DWORD>(D3DTADDRESS_CLAMP));
        EXPECT_EQ(sky[face]->stageStates.at({0, D3DTSS_ADDRESSV}), static_cast<DWORD>(D3DTADDRESS_CLAMP));
    }
    // The stars: points over the box, by size class, their light added to the box's.
    const std::vector<const DrawRecord*> stars = Draws("stars");
    UINT first = 0;
    for (int k = 0; k < StarSizeCount; ++k) {
        EXPECT_EQ(stars[k]->type, D3DPT_POINTLIST);
        EXPECT_EQ(stars[k]->startVertex, first);
        EXPECT_EQ(stars[k]->count, static_cast<UINT>(saver.starCounts[k]));
        first += stars[k]->count;
        float size = 0.0f;
        const DWORD sizeBits = stars[k]->RenderState(D3DRS_POINTSIZE);
        std::memcpy(&size, &sizeBits, sizeof(size));
        EXPECT_EQ(size, StarPointSize(k, 600)) << k;
        EXPECT_EQ(stars[k]->RenderState(D3DRS_DESTBLEND), static_cast<DWORD>(D3DBLEND_ONE));
        EXPECT_TRUE(SameMatrix(stars[k]->view, boxView));
    }
    EXPECT_EQ(first, 8000u);
    for (const DrawRecord* halo : Draws("halo")) {
        EXPECT_EQ(halo->texture, objects.haloTexture);
        EXPECT_EQ(halo->RenderState(D3DRS_ALPHABLENDENABLE), 1u);
        EXPECT_EQ(halo->RenderState(D3DRS_ZENABLE), 0u) << "every planet covers its halo";
        EXPECT_EQ(halo->RenderState(D3DRS_LIGHTING), 1u);
        EXPECT_TRUE(halo->light0);
        EXPECT_TRUE(SameMatrix(halo->view, saver.viewMatrix));
    }
    EXPECT_TRUE(SameMatrix(Draws("halo")[3]->world,
                           saver.BillboardMatrix(saver.bodies[4].haloSize, saver.bodies[4].position)));
    // The lines: unlit ribbons blended through their soft edge, tested against the
    // planets' depth without writing their own, both faces shown.
    const std::vector<const DrawRecord*> lines = Draws("lines");
    EXPECT_EQ(lines[0]->startVertex, 0u);
    EXPECT_EQ(lines[1]->startVertex, lines[0]->count + 2) << "the second part follows the first";
    for (const DrawRecord* line : lines) {
        EXPECT_EQ(line->type, D3DPT_TRIANGLESTRIP);
        EXPECT_EQ(line->texture, objects.lineTexture);
        EXPECT_EQ(line->vertexShader, 0x142u);
        EXPECT_EQ(line->RenderState(D3DRS_LIGHTING), 0u) << "the lines show their own colour";
        EXPECT_EQ(line->RenderState(D3DRS_ALPHABLENDENABLE), 1u);
        EXPECT_EQ(line->RenderState(D3DRS_ZENABLE), 1u);
        EXPECT_EQ(line->RenderState(D3DRS_ZWRITEENABLE), 0u);
        EXPECT_EQ(line->RenderState(D3DRS_CULLMODE), static_cast<DWORD>(D3DCULL_NONE));
        EXPECT_EQ(line->stageStates.at({0, D3DTSS_ALPHAOP}), static_cast<DWORD>(D3DTOP_MODULATE));
        EXPECT_EQ(line->stageStates.at({0, D3DTSS_ADDRESSU}), static_cast<DWORD>(D3DTADDRESS_CLAMP));
        EXPECT_EQ(line->stageStates.at({0, D3DTSS_MIPFILTER}), static_cast<DWORD>(D3DTEXF_NONE));
    }
    const std::vector<const DrawRecord*> planets = Draws("planet");
    for (int i = 1; i < BodyCount; ++i) {
        const DrawRecord& planet = *planets[i - 1];
        EXPECT_EQ(planet.texture, objects.bodyTextures[i]);
        const int detail = saver.SphereDetailOnScreen(i);
        EXPECT_EQ(planet.stream, objects.sphereBuffers[detail]) << "by its size on this screen";
        EXPECT_EQ(planet.count, static_cast<UINT>(saver.sphereVertexCounts[detail] - 2));
        EXPECT_EQ(planet.stageStates.at({0, D3DTSS_MINFILTER}), static_cast<DWORD>(D3DTEXF_LINEAR))
            << "no anisotropy on this device";
        EXPECT_EQ(planet.RenderState(D3DRS_ZENABLE), 1u);
        EXPECT_EQ(planet.RenderState(D3DRS_ALPHABLENDENABLE), 0u);
        EXPECT_EQ(planet.RenderState(D3DRS_AMBIENT), 0x00444444u);
        EXPECT_TRUE(SameMatrix(planet.world, saver.BodyWorldMatrix(i, saver.bodies[i].tilt, 3.0f)));
        EXPECT_EQ(std::memcmp(&planet.material, &saver.bodies[i].surfaceMaterial, sizeof(D3DMATERIAL8)), 0);
        EXPECT_EQ(planet.stageStates.at({0, D3DTSS_MIPFILTER}), static_cast<DWORD>(D3DTEXF_LINEAR))
            << "a far planet's map blends between levels";
    }
    const std::vector<const DrawRecord*> rings = Draws("ring");
    EXPECT_TRUE(SameMatrix(rings[0]->world, saver.BodyWorldMatrix(4, 0.7853982f, 3.0f))) << "Saturn's";
    EXPECT_TRUE(SameMatrix(rings[1]->world, saver.BodyWorldMatrix(3, 0.7853982f, 3.0f))) << "Uranus's";
    for (const DrawRecord* ring : rings) {
        EXPECT_EQ(ring->texture, objects.ringTexture);
        EXPECT_EQ(ring->count, 128u);
        EXPECT_EQ(ring->RenderState(D3DRS_CULLMODE), static_cast<DWORD>(D3DCULL_NONE));
        EXPECT_EQ(ring->RenderState(D3DRS_ALPHABLENDENABLE), 1u);
        EXPECT_EQ(ring->stageStates.at({0, D3DTSS_MIPFILTER}), static_cast<DWORD>(D3DTEXF_NONE));
    }
    const DrawRecord& glow = *Draws("glow")[0];
    EXPECT_EQ(glow.RenderState(D3DRS_ZENABLE), 1u) << "a planet in front hides part of the glow";
    EXPECT_EQ(glow.RenderState(D3DRS_ALPHABLENDENABLE), 1u);
    EXPECT_TRUE(
        SameMatrix(glow.world, saver.BillboardMatrix(saver.bodies[0].haloSize, saver.bodies[0].position)));

    for (const DrawRecord* name : Draws("name")) {
        EXPECT_EQ(name->RenderState(D3DRS_LIGHTING), 0u) << "white glyphs";
        EXPECT_EQ(name->texture, objects.nameFont->Texture());
        EXPECT_EQ(name->stageStates.at({0, D3DTSS_MIPFILTER}), static_cast<DWORD>(D3DTEXF_LINEAR));
    }
    // The states left for the next frame.
    EXPECT_EQ(device.renderStates[D3DRS_CULLMODE], static_cast<DWORD>(D3DCULL_CCW));
    EXPECT_EQ(device.renderStates[D3DRS_ALPHABLENDENABLE], 0u);
    EXPECT_EQ(device.renderStates[D3DRS_LIGHTING], 0u);
    EXPECT_EQ(device.renderStates[D3DRS_ZWRITEENABLE], 1u);
    EXPECT_EQ((device.stageStates[{0, D3DTSS_ADDRESSU}]), static_cast<DWORD>(D3DTADDRESS_WRAP));
    EXPECT_EQ((device.stageStates[{0, D3DTSS_ALPHAOP}]), static_cast<DWORD>(D3DTOP_SELECTARG1));
    EXPECT_FALSE(device.light0Enabled);
}

// Where the device filters anisotropically the planets' maps are minified so, within its
// limit and ours; nothing else is, and the filter is back to linear after the planets.
TEST_F(SceneOnRecordingDevice, PlanetMapsAreSharpAtASlantWhereTheDeviceCan) {
    device.textureFilterCaps = D3DPTFILTERCAPS_MINFANISOTROPIC | D3DPTFILTERCAPS_MAGFANISOTROPIC;
    device.maxAnisotropy = 16;
    Prepare();
    Frame(3.0f);
    for (const DrawRecord* planet : Draws("planet")) {
        EXPECT_EQ(planet->stageStates.at({0, D3DTSS_MINFILTER}), static_cast<DWORD>(D3DTEXF_ANISOTROPIC));
        EXPECT_EQ(planet->stageStates.at({0, D3DTSS_MAXANISOTROPY}), 8u);
        EXPECT_EQ(planet->stageStates.at({0, D3DTSS_MAGFILTER}), static_cast<DWORD>(D3DTEXF_LINEAR))
            << "for minification only";
    }
    for (const char* other : {"ring", "glow", "sky"}) {
        for (const DrawRecord* draw : Draws(other)) {
            EXPECT_EQ(draw->stageStates.at({0, D3DTSS_MINFILTER}), static_cast<DWORD>(D3DTEXF_LINEAR))
                << other;
        }
    }
    EXPECT_EQ((device.stageStates[{0, D3DTSS_MAXANISOTROPY}]), 1u);
}

// The viewed planet of the planet view fills much of a 3840 x 2160 screen: it is drawn
// with the finest sphere there, and with coarser ones on a small screen.
TEST_F(SceneOnRecordingDevice, EachScreenDrawsThePlanetsWithTheDetailOfTheirSize) {
    saver.settings.cameraSettings = CameraPlanetView;
    saver.settings.planetToView = JupiterIndex;
    struct Case {
        LONG width, height;
        int jupiter;
    };
    for (const Case& c : {Case{3840, 2160, 4}, Case{160, 120, 2}}) {
        saver.backBufferDesc.Width = static_cast<UINT>(c.width);
        saver.backBufferDesc.Height = static_cast<UINT>(c.height);
        saver.renderTotal = RECT{0, 0, c.width, c.height};
        saver.renderCurrent = saver.renderTotal;
        Prepare();
        Frame(21.0f);
        const std::vector<const DrawRecord*> planets = Draws("planet");
        ASSERT_EQ(planets.size(), 9u);
        EXPECT_EQ(planets[JupiterIndex - 1]->stream, objects.sphereBuffers[c.jupiter]) << c.width;
        EXPECT_EQ(planets[PlutoIndex - 1]->stream, objects.sphereBuffers[0]) << "far and small: " << c.width;
        saver.ReleaseDeviceObjects();
    }
}

TEST_F(SceneOnRecordingDevice, EveryOverlayOutsideAPreview) {
    saver.settings.cameraSettings = CameraPlanetView;
    saver.settings.planetToView = 4;
    saver.settings.names = 1;
    saver.settings.fps = 1;
    saver.settings.distances = 1;
    Prepare();
    Frame();
    for (int n = 0; n < InfoLineCount; ++n) {
        std::strcpy(saver.infoLines[n], "Name: Saturn");
    }
    saver.framesPerSecond = 123.456f;
    device.ClearRecords();
    saver.RenderFrame();
    const std::vector<std::string> summary = Summary();
    ASSERT_GE(summary.size(), 4u);
    const std::vector<std::string> overlay(summary.end() - 4, summary.end());
    EXPECT_EQ(overlay, (Labels{"name*10", "panel*10", "name*9", "label*2"}))
        << "names (the Sun's too), the panel's five lines with shadows, nine distances, then the frame "
           "rate with its shadow";
    EXPECT_STREQ(saver.frameRateText, "123.46 fps") << "a rate over 100 fits";

    // The names' font is five times the usual size here, their scale a fifth.
    const std::vector<const DrawRecord*> names = Draws("name");
    EXPECT_TRUE(SameMatrix(names[4]->world, saver.BodyNameMatrix(4, 5.0f)));
    EXPECT_TRUE(SameMatrix(names[10]->world, saver.DistanceLabelMatrix(1, 5.0f)));

    // Every string is drawn with the text states, whether its font saves the scene's
    // states once per group of strings or once per string; names and distances filtered,
    // the panel and the frame rate not.
    const auto minFilter = [](const DrawRecord* draw) { return draw->stageStates.at({0, D3DTSS_MINFILTER}); };
    std::vector<const DrawRecord*> texts = names;
    for (const DrawRecord* name : names) {
        EXPECT_EQ(minFilter(name), static_cast<DWORD>(D3DTEXF_LINEAR));
    }
    for (const char* unfiltered : {"panel", "label"}) {
        for (const DrawRecord* text : Draws(unfiltered)) {
            texts.push_back(text);
            EXPECT_EQ(minFilter(text), static_cast<DWORD>(D3DTEXF_POINT)) << unfiltered;
        }
    }
    for (const DrawRecord* text : texts) {
        EXPECT_EQ(text->RenderState(D3DRS_ALPHABLENDENABLE), 1u);
        EXPECT_EQ(text->RenderState(D3DRS_ALPHATESTENABLE), 1u);
        EXPECT_EQ(text->RenderState(D3DRS_CULLMODE), static_cast<DWORD>(D3DCULL_CCW));
    }
    // Afterwards the scene's own states are back.
    EXPECT_EQ(device.renderStates[D3DRS_ALPHABLENDENABLE], 0u);
    EXPECT_EQ(device.renderStates[D3DRS_ALPHATESTENABLE], 0u);
    EXPECT_EQ((device.stageStates[{0, D3DTSS_MINFILTER}]), static_cast<DWORD>(D3DTEXF_LINEAR));
}

TEST_F(SceneOnRecordingDevice, APreviewShowsTheSceneAndOnlyItsTitles) {
    saver.mode = SaverMode::Preview;
    saver.settings.cameraSettings = CameraPlanetView;
    saver.settings.names = 1;
    saver.settings.fps = 1;
    saver.settings.distances = 1;
    Prepare();
    Frame();
    int lineDraws = 0;
    bool afterPlanets = false;
    EXPECT_EQ(SummaryWithoutLines(&lineDraws, &afterPlanets),
              (Labels{"sky*6", "stars*3", "halo*9", "planet*9", "ring*2", "glow", "title*4"}));
    EXPECT_GE(lineDraws, 1) << "the distance lines";
    EXPECT_TRUE(afterPlanets);
    for (const DrawRecord* title : Draws("title")) {
        EXPECT_EQ(title->type, D3DPT_TRIANGLELIST);
        EXPECT_EQ(title->count, 16u) << "eight letters, two triangles each";
        EXPECT_EQ(title->vertexShader, 0x144u) << "screen-space text";
    }
}

TEST_F(SceneOnRecordingDevice, AnInvisibleBodyKeepsItsSphereButLosesHaloAndLabels) {
    saver.settings.names = 1;
    saver.settings.trajectories = 1;
    saver.settings.distances = 1;
    Prepare();
    Frame();
    saver.bodies[5].visible = 0;
    saver.bodies[0].visible = 0;
    device.ClearRecords();
    saver.RenderFrame();
    int lineDraws = 0;
    bool afterPlanets = false;
    EXPECT_EQ(SummaryWithoutLines(&lineDraws, &afterPlanets),
              (Labels{"sky*6", "stars*3", "halo*8", "planet*9", "ring*2", "name*16"}))
        << "no glow and no name for the Sun; no halo, name or distance for Jupiter";
    EXPECT_GE(lineDraws, 1) << "every trajectory and distance line";
}

TEST_F(SceneOnRecordingDevice, AFailedBeginSceneSkipsTheFrame) {
    Prepare();
    device.beginSceneResult = D3DERR_INVALIDCALL;
    Frame();
    EXPECT_TRUE(device.draws.empty());
    EXPECT_EQ(device.Count("EndScene"), 0);
    EXPECT_EQ(device.Count("Clear"), 1);
}

TEST_F(SceneOnRecordingDevice, MissingBuffersAndFontsAreLeftOut) {
    saver.settings.names = 1;
    saver.settings.fps = 1;
    saver.settings.trajectories = 1;
    Prepare();
    Frame();
    ReleaseSlot(objects.sphereBuffers[0]);
    ReleaseSlot(objects.sphereBuffers[1]);
    ReleaseSlot(objects.sphereBuffers[2]);
    ReleaseSlot(objects.ringBuffers[1]);
    ReleaseSlot(objects.lineTexture);
    ReleaseSlot(objects.starBuffer);
    delete objects.labelFont;
    objects.labelFont = nullptr;
    delete objects.nameFont;
    objects.nameFont = nullptr;
    device.ClearRecords();
    saver.RenderFrame();
    EXPECT_EQ(Summary(), (Labels{"sky*6", "halo*9", "planet*9", "ring", "glow"}))
        << "no lines without their edge";
    for (const DrawRecord& draw : device.draws) {
        EXPECT_NE(draw.stream, nullptr) << "no draw without vertices";
    }
    for (const DrawRecord* planet : Draws("planet")) {
        EXPECT_TRUE(planet->stream == objects.sphereBuffers[3] || planet->stream == objects.sphereBuffers[4])
            << "a finer sphere for one that could not be built";
    }
}

// Two screens of different sizes and DPIs, the smaller one prepared last: each screen's
// fonts are made for its DPI, and its panel and titles are placed for its own back buffer
// and DPI. The names keep their size in the scene on both.
TEST_F(SceneOnRecordingDevice, TextsArePlacedForTheScreenTheyAreDrawnOn) {
    saver.settings.cameraSettings = CameraPlanetView;
    RecordingDevice smallDevice;
    struct Screen {
        RecordingDevice* device;
        UINT width;
        UINT height;
        UINT dpi;
        float spacing;  // between the panel's lines, pixels
        float offset;   // of the shadows
    };
    const Screen screens[] = {{&device, 800, 600, 96, 25.0f, 1.0f},
                              {&smallDevice, 400, 300, 192, 50.0f, 2.0f}};
    auto use = [&](UINT index) {
        saver.activeDevice = screens[index].device;
        saver.backBufferDesc.Width = screens[index].width;
        saver.backBufferDesc.Height = screens[index].height;
        saver.screenDpi = screens[index].dpi;
        saver.UseScreenDevice(index);
    };
    for (UINT index = 0; index < 2; ++index) {
        use(index);
        Prepare();
    }
    // A name's size in the scene is its glyphs' texels divided by the font's scale: the
    // same on both screens, though one font has twice the points per pixel.
    float nameRows[2] = {};
    for (UINT index = 0; index < 2; ++index) {
        const DeviceSceneObjects& record = saver.deviceObjects[index];
        for (const TextureFont* font :
             {record.labelFont, record.panelFont, record.titleFont, record.nameFont}) {
            EXPECT_EQ(font->PixelsPerInch(), screens[index].dpi) << "screen " << index;
        }
        nameRows[index] = RowTexelHeight(record.nameFont->Atlas()) / record.nameFontScale;
    }
    EXPECT_NEAR(nameRows[1] / nameRows[0], 1.0f, 0.03f);
    for (auto& line : saver.infoLines) {
        std::strcpy(line, "Name: Saturn");
    }
    // The last draw of each kind's font is its last string: the panel's top line, five
    // line spacings above 95 % of the height, and "CELESTRA" at 55 %, each the shadow's
    // offset right of its shadow. The second vertex of that draw is its first glyph's
    // top-left corner, half a pixel up and left.
    const struct {
        SaverMode mode;
        float x;  // fractions of the width and height
        float y;
        float lines;  // line spacings above y
    } kinds[] = {{SaverMode::Test, 0.02f, 0.95f, 5.0f}, {SaverMode::Preview, 0.11f, 0.55f, 0.0f}};
    // The still texts drift, each screen on its own path: at the clock's start the first
    // screen's stand at their places; 37 minutes on, every screen's have moved. A group
    // near the left or top edge is turned back there.
    for (const uint32_t now : {0u, 37u * 60000u}) {
        clock = now;
        for (const auto& kind : kinds) {
            saver.mode = kind.mode;
            for (UINT index = 0; index < 2; ++index) {
                SCOPED_TRACE(testing::Message() << "screen " << index << " at " << now
                                                << (kind.mode == SaverMode::Preview ? " preview" : ""));
                const Screen& screen = screens[index];
                const float top = kind.mode == SaverMode::Preview
                                      ? 0.3f * screen.height
                                      : kind.y * screen.height - kind.lines * screen.spacing;
                const TextOffset drift =
                    KeepOnScreen(StillTextDrift(now, index, screen.dpi), kind.x * screen.width, top);
                EXPECT_TRUE(now != 0 || index != 0 || (drift.x == 0 && drift.y == 0));
                EXPECT_TRUE(now == 0 || drift.x != 0 || drift.y != 0);
                use(index);
                ASSERT_EQ(saver.RenderFrame(), S_OK);
                const DeviceSceneObjects& record = saver.deviceObjects[index];
                const TextureFont* font =
                    kind.mode == SaverMode::Preview ? record.titleFont : record.panelFont;
                const auto* buffer = static_cast<const RecordedVertexBuffer*>(font->VertexBuffer());
                const RecordingDevice& drawn = *screen.device;
                const auto last =
                    std::find_if(drawn.draws.rbegin(), drawn.draws.rend(),
                                 [&](const DrawRecord& draw) { return draw.texture == font->Texture(); });
                ASSERT_NE(last, drawn.draws.rend());
                const auto* vertices =
                    reinterpret_cast<const FontVertex2D*>(buffer->bytes.data()) + last->startVertex;
                EXPECT_FLOAT_EQ(vertices[1].x, kind.x * screen.width + screen.offset - 0.5f + drift.x);
                EXPECT_FLOAT_EQ(vertices[1].y,
                                kind.y * screen.height - kind.lines * screen.spacing - 0.5f + drift.y);
            }
        }
    }
    saver.UseScreenDevice(1);
    saver.ReleaseDeviceObjects();
    EXPECT_EQ(smallDevice.LiveVertexBuffers(), 0);
}

// Screens beyond the ten records have none: nothing is prepared or drawn for them, and
// nothing lands in the record of the screen before.
TEST_F(SceneOnRecordingDevice, AScreenBeyondTheRecordsGetsNone) {
    saver.UseScreenDevice(10);
    EXPECT_EQ(saver.currentDevice, nullptr);
    EXPECT_EQ(saver.PrepareDeviceObjects(), E_FAIL);
    EXPECT_EQ(saver.RenderFrame(), S_OK);
    EXPECT_TRUE(device.draws.empty());
    EXPECT_EQ(saver.ReleaseDeviceObjects(), S_OK);
    EXPECT_TRUE(RecordIsEmpty(objects));
    EXPECT_EQ(device.LiveTextures(), 0);
}

}  // namespace
