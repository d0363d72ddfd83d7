#include <windows.h>
#include <d3d8.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/real_device.h"
#include "d3dx/d3dx_math.h"
#include "text/font_flags.h"
#include "text/win32/texture_font.h"

namespace {

// The fonts of the scene, on a real Direct3D 8 device. Wine answers "Arial" and "Tahoma"
// with Liberation Sans, so nothing here depends on exact glyph widths.
class TextureFontDevice : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(display.Error(), "") << "no Direct3D 8 device";
        device = display.Device();
    }

    std::unique_ptr<TextureFont> ReadyFont(const char* face, uint32_t height, uint32_t flags = FontBold) {
        auto font = std::make_unique<TextureFont>(face, height, flags);
        EXPECT_EQ(font->InitDeviceObjects(device), S_OK);
        EXPECT_EQ(font->RestoreDeviceObjects(), S_OK);
        return font;
    }

    void ClearToBlack() {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    }

    // Bounding box of the pixels brighter than a dim grey; right/bottom exclusive.
    struct LitArea {
        int count = 0;
        int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    };
    LitArea FindLitPixels(const char* snapshotName) {
        const std::vector<uint32_t> pixels = display.ReadBackBuffer();
        EXPECT_FALSE(pixels.empty()) << "back buffer not readable";
        LitArea area;
        for (int y = 0; y < display.Height() && !pixels.empty(); ++y) {
            for (int x = 0; x < display.Width(); ++x) {
                const uint32_t p = pixels[y * display.Width() + x];
                if (((p >> 16) & 0xFF) > 0x40 || ((p >> 8) & 0xFF) > 0x40 || (p & 0xFF) > 0x40) {
                    ++area.count;
                    area.left = std::min(area.left, x);
                    area.top = std::min(area.top, y);
                    area.right = std::max(area.right, x + 1);
                    area.bottom = std::max(area.bottom, y + 1);
                }
            }
        }
        // CELESTRA_SNAPSHOT_DIR=folder keeps what was drawn, to look at.
        if (const char* folder = std::getenv("CELESTRA_SNAPSHOT_DIR")) {
            const std::string path = std::string(folder) + "\\" + snapshotName + ".bmp";
            SavePixelsAsBmp(pixels, display.Width(), display.Height(), path.c_str());
        }
        return area;
    }

    RealDevice display;
    IDirect3DDevice8* device = nullptr;
};

D3DSURFACE_DESC TextureDesc(const TextureFont& font) {
    D3DSURFACE_DESC desc = {};
    EXPECT_NE(font.Texture(), nullptr);
    if (font.Texture() != nullptr) {
        font.Texture()->GetLevelDesc(0, &desc);
    }
    return desc;
}

TEST_F(TextureFontDevice, TextureSizeFollowsTheFontHeight) {
    const struct {
        const char* face;
        uint32_t height;
        UINT size;
    } cases[] = {{"Tahoma", 11, 256},
                 {"Arial", 12, 256},
                 {"Tahoma", 14, 256},
                 {"Arial", 21, 512},
                 {"Arial", 41, 1024}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        TextureFont font(c.face, c.height, FontBold);
        ASSERT_EQ(font.InitDeviceObjects(device), S_OK);
        const D3DSURFACE_DESC desc = TextureDesc(font);
        EXPECT_EQ(desc.Width, c.size);
        EXPECT_EQ(desc.Height, c.size);
        EXPECT_EQ(desc.Format, D3DFMT_A4R4G4B4);
        EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
        EXPECT_EQ(font.Texture()->GetLevelCount(), 1u);
        EXPECT_EQ(font.Atlas().texWidth, c.size);
        EXPECT_FLOAT_EQ(font.Atlas().textScale, 1.0f);
        // Every printable glyph has a place inside the texture.
        for (int ch = 33; ch <= 126; ++ch) {
            const float* r = font.Atlas().glyphCoords[ch - 32];
            EXPECT_GT(r[2], r[0]) << ch;
            EXPECT_GT(r[3], r[1]) << ch;
            EXPECT_LE(r[2], 1.0f) << ch;
            EXPECT_LE(r[3], 1.0f) << ch;
        }
    }
}

TEST_F(TextureFontDevice, GlyphTextureHoldsWhiteGlyphsOnTransparentBlack) {
    TextureFont font("Arial", 12, FontBold);
    ASSERT_EQ(font.InitDeviceObjects(device), S_OK);
    IDirect3DTexture8* texture = font.Texture();
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), S_OK);
    const int size = static_cast<int>(font.Atlas().texWidth);
    auto texel = [&](int x, int y) {
        return reinterpret_cast<const uint16_t*>(static_cast<const BYTE*>(locked.pBits) +
                                                 y * locked.Pitch)[x];
    };
    auto coveredIn = [&](char c) {
        const float* r = font.Atlas().glyphCoords[c - 32];
        int covered = 0;
        for (int y = static_cast<int>(r[1] * size); y < static_cast<int>(r[3] * size); ++y) {
            for (int x = static_cast<int>(r[0] * size); x < static_cast<int>(r[2] * size); ++x) {
                covered += texel(x, y) != 0;
            }
        }
        return covered;
    };
    EXPECT_GT(coveredIn('W'), 20);
    EXPECT_GT(coveredIn('#'), 10);
    EXPECT_EQ(coveredIn(' '), 0);
    int bad = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const uint16_t t = texel(x, y);
            bad += t != 0 && (t & 0x0FFF) != 0x0FFF;
        }
    }
    EXPECT_EQ(bad, 0) << "covered texels are white, the rest fully transparent black";
    texture->UnlockRect(0);
}

TEST_F(TextureFontDevice, TextExtentOfOneAndTwoLines) {
    TextureFont font("Tahoma", 14, FontBold);
    ASSERT_EQ(font.InitDeviceObjects(device), S_OK);
    SIZE empty = {}, one = {}, pair = {}, twoLines = {}, skipped = {};
    ASSERT_EQ(font.GetTextExtent("", &empty), S_OK);
    EXPECT_EQ(empty.cx, 0);
    EXPECT_GT(empty.cy, 14) << "one row of a 14-point font at 96 dpi";
    EXPECT_LT(empty.cy, 40);

    ASSERT_EQ(font.GetTextExtent("W", &one), S_OK);
    ASSERT_EQ(font.GetTextExtent("WW", &pair), S_OK);
    ASSERT_EQ(font.GetTextExtent("WW\nW", &twoLines), S_OK);
    ASSERT_EQ(font.GetTextExtent("\x01W\x80W\xff\x7f", &skipped), S_OK);
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(one.cy, empty.cy);
    EXPECT_NEAR(pair.cx, 2 * one.cx, 1);
    EXPECT_EQ(twoLines.cx, pair.cx);
    EXPECT_EQ(twoLines.cy, 2 * empty.cy);
    EXPECT_EQ(skipped.cx, pair.cx);
    EXPECT_EQ(skipped.cy, empty.cy);

    EXPECT_EQ(font.GetTextExtent(nullptr, &one), E_FAIL);
    EXPECT_EQ(font.GetTextExtent("W", nullptr), E_FAIL);
}

TEST_F(TextureFontDevice, DeviceObjectsComeAndGoWithoutLeaks) {
    const ULONG baseline = display.References();
    {
        TextureFont font("Arial", 12, FontBold);
        ASSERT_EQ(font.InitDeviceObjects(device), S_OK);
        ASSERT_EQ(font.RestoreDeviceObjects(), S_OK);
        EXPECT_NE(font.VertexBuffer(), nullptr);
        EXPECT_NE(font.SavedStateBlock(), 0u);
        EXPECT_NE(font.DrawTextStateBlock(), 0u);
        EXPECT_NE(font.SavedStateBlock(), font.DrawTextStateBlock());
        D3DVERTEXBUFFER_DESC desc = {};
        font.VertexBuffer()->GetDesc(&desc);
        EXPECT_EQ(desc.Size, 16u * 300u * 32u) << "room for sixteen batches of 300 world-space vertices";
        EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
        EXPECT_EQ(desc.Usage, static_cast<DWORD>(D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC));

        // A Reset in between: the buffer and the blocks go, the texture stays.
        for (int round = 0; round < 3; ++round) {
            device->BeginScene();
            EXPECT_EQ(font.DrawText(5.0f, 5.0f, 0xFFFFFFFF, "Saturn 9.5 AU"), S_OK);
            EXPECT_EQ(font.Render3DText("Saturn", TextCentered | TextFiltered), S_OK);
            device->EndScene();
            EXPECT_EQ(font.InvalidateDeviceObjects(), S_OK);
            EXPECT_EQ(font.VertexBuffer(), nullptr);
            EXPECT_EQ(font.SavedStateBlock(), 0u);
            EXPECT_EQ(font.DrawTextStateBlock(), 0u);
            EXPECT_NE(font.Texture(), nullptr);
            EXPECT_EQ(font.RestoreDeviceObjects(), S_OK);
            EXPECT_NE(font.SavedStateBlock(), 0u);
        }
        EXPECT_EQ(font.InvalidateDeviceObjects(), S_OK);
        EXPECT_EQ(font.DeleteDeviceObjects(), S_OK);
        EXPECT_EQ(font.Texture(), nullptr);
        EXPECT_EQ(font.Device(), nullptr);
        // What remains bound to the device (the last stream source) is let go here.
        device->SetStreamSource(0, nullptr, 0);
        device->SetTexture(0, nullptr);
        EXPECT_EQ(display.References(), baseline);
    }
    {
        // The scene's way: new, prepare, draw, delete.
        TextureFont* font = new TextureFont("Tahoma", 14, FontBold);
        font->InitDeviceObjects(device);
        font->RestoreDeviceObjects();
        font->RestoreDeviceObjects();  // a second restore replaces, not leaks
        device->BeginScene();
        font->DrawText(5.0f, 5.0f, 0xFFFFFFFF, "Jupiter");
        device->EndScene();
        delete font;
        device->SetStreamSource(0, nullptr, 0);
        device->SetTexture(0, nullptr);
        EXPECT_EQ(display.References(), baseline);
    }
}

TEST_F(TextureFontDevice, DrawTextShowsTextWhereItWasAsked) {
    auto font = ReadyFont("Arial", 12);
    SIZE extent = {};
    font->GetTextExtent("Celestra", &extent);
    ClearToBlack();
    ASSERT_EQ(device->BeginScene(), S_OK);
    EXPECT_EQ(font->DrawText(40.0f, 30.0f, 0xFFFFFFFF, "Celestra"), S_OK);
    device->EndScene();
    const LitArea area = FindLitPixels("draw_text");
    EXPECT_GT(area.count, 40);
    EXPECT_GE(area.left, 39);
    EXPECT_GE(area.top, 29);
    EXPECT_LE(area.right, 40 + extent.cx + 1);
    EXPECT_LE(area.bottom, 30 + extent.cy + 1);
    EXPECT_GT(area.right - area.left, extent.cx / 2) << "the whole word is drawn";
}

TEST_F(TextureFontDevice, TextTakesTheGivenColour) {
    auto font = ReadyFont("Arial", 12);
    ClearToBlack();
    device->BeginScene();
    font->DrawText(10.0f, 10.0f, 0xFF00FF00, "MMMM");
    device->EndScene();
    const std::vector<uint32_t> pixels = display.ReadBackBuffer();
    int green = 0, other = 0;
    for (uint32_t p : pixels) {
        if (p == 0)
            continue;
        (((p >> 16) & 0xFF) == 0 && (p & 0xFF) == 0 ? green : other)++;
    }
    EXPECT_GT(green, 20);
    EXPECT_EQ(other, 0);
}

TEST_F(TextureFontDevice, SecondLineStartsAtTheSameXOneRowLower) {
    auto font = ReadyFont("Tahoma", 14);
    SIZE row = {};
    font->GetTextExtent("", &row);
    ClearToBlack();
    device->BeginScene();
    font->DrawText(50.0f, 20.0f, 0xFFFFFFFF, "I\nI");
    device->EndScene();
    const LitArea both = FindLitPixels("two_lines");
    ClearToBlack();
    device->BeginScene();
    font->DrawText(50.0f, 20.0f, 0xFFFFFFFF, "I");
    device->EndScene();
    const LitArea first = FindLitPixels("one_line");
    ASSERT_GT(first.count, 0);
    EXPECT_EQ(both.left, first.left);
    EXPECT_EQ(both.right, first.right);
    EXPECT_EQ(both.bottom - first.bottom, row.cy);
    EXPECT_EQ(both.count, 2 * first.count);
}

TEST_F(TextureFontDevice, SkippedBytesDrawNothing) {
    auto font = ReadyFont("Arial", 12);
    ClearToBlack();
    device->BeginScene();
    EXPECT_EQ(font->DrawText(10.0f, 10.0f, 0xFFFFFFFF, "\x01\x02\t\r\x7f\x80\xa9\xff"), S_OK);
    EXPECT_EQ(font->DrawText(10.0f, 10.0f, 0xFFFFFFFF, ""), S_OK);
    EXPECT_EQ(font->DrawText(10.0f, 10.0f, 0xFFFFFFFF, "   \n  "), S_OK);
    device->EndScene();
    EXPECT_EQ(FindLitPixels("skipped").count, 0);
}

TEST_F(TextureFontDevice, LongStringsAreDrawnInFullOnBothPaths) {
    auto font = ReadyFont("Tahoma", 11);
    // 60 narrow glyphs per line, several lines: many batches, each glyph visible.
    std::string line(60, 'i');
    std::string text;
    for (int i = 0; i < 6; ++i) {
        text += line + "\n";
    }
    ClearToBlack();
    device->BeginScene();
    EXPECT_EQ(font->DrawText(2.0f, 2.0f, 0xFFFFFFFF, text.c_str()), S_OK);
    device->EndScene();
    const LitArea many = FindLitPixels("long_text");
    ClearToBlack();
    device->BeginScene();
    font->DrawText(2.0f, 2.0f, 0xFFFFFFFF, "i");
    device->EndScene();
    const LitArea one = FindLitPixels("one_glyph");
    EXPECT_EQ(many.count, 360 * one.count) << "all 360 glyphs show";

    const std::string world(400, 'X');
    device->BeginScene();
    EXPECT_EQ(font->Render3DText(world.c_str(), TextCentered | TextFiltered), S_OK);
    EXPECT_EQ(font->Render3DText(world.c_str(), 0), S_OK);
    device->EndScene();
}

TEST_F(TextureFontDevice, WorldTextIsCentredUnderTheCallersTransforms) {
    auto font = ReadyFont("Arial", 12);
    D3DXMATRIX identity, world, scaling, translation;
    D3DXMatrixIdentity(&identity);
    D3DXMatrixScaling(&scaling, 0.05f, 0.05f, 0.05f);
    D3DXMatrixTranslation(&translation, 0.0f, 0.0f, 0.5f);
    D3DXMatrixMultiply(&world, &scaling, &translation);
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetTransform(D3DTS_VIEW, &identity);
    device->SetTransform(D3DTS_PROJECTION, &identity);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    ClearToBlack();
    device->BeginScene();
    EXPECT_EQ(font->Render3DText("Mercury", TextCentered | TextFiltered), S_OK);
    device->EndScene();
    const LitArea area = FindLitPixels("world_text");
    ASSERT_GT(area.count, 20);
    const int centreX = display.Width() / 2;
    const int centreY = display.Height() / 2;
    EXPECT_NEAR((area.left + area.right) / 2.0, centreX, 4.0);
    EXPECT_NEAR((area.top + area.bottom) / 2.0, centreY, 6.0);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
}

TEST_F(TextureFontDevice, DrawsPutTheCallersStatesBack) {
    auto font = ReadyFont("Arial", 12);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_FOGENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_ANISOTROPIC);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->BeginScene();
    font->DrawText(1.0f, 1.0f, 0xFFFFFFFF, "Pluto", TextFiltered);
    font->Render3DText("Pluto", TextCentered | TextTwoSided | TextFiltered);
    device->EndScene();
    DWORD value = 0;
    device->GetRenderState(D3DRS_ALPHABLENDENABLE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(FALSE));
    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DCULL_NONE));
    device->GetRenderState(D3DRS_ZENABLE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(TRUE));
    device->GetRenderState(D3DRS_FOGENABLE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(TRUE));
    device->GetRenderState(D3DRS_SRCBLEND, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DBLEND_ONE));
    device->GetTextureStageState(0, D3DTSS_MINFILTER, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_ANISOTROPIC));
    device->GetTextureStageState(0, D3DTSS_COLOROP, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTOP_SELECTARG1));
    device->GetTextureStageState(1, D3DTSS_COLOROP, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTOP_MODULATE));
}

}  // namespace

namespace {

// The scene's three fonts keep every glyph inside their texture at the screen resolution
// this process started with (CELESTRA_EXPECTED_DPI, when set, names it).
TEST_F(TextureFontDevice, SceneFontsKeepEveryGlyphInsideTheTexture) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (const char* expected = std::getenv("CELESTRA_EXPECTED_DPI")) {
        ASSERT_EQ(dpi, std::atoi(expected)) << "the screen resolution was not applied";
    }
    const struct {
        const char* face;
        uint32_t height;
    } fonts[] = {{"Arial", 12}, {"Tahoma", 14}, {"Tahoma", 11}};
    for (const auto& f : fonts) {
        SCOPED_TRACE(testing::Message() << f.face << " " << f.height << " at " << dpi << " dpi");
        TextureFont font(f.face, f.height, FontBold);
        ASSERT_EQ(font.InitDeviceObjects(device), S_OK);
        const GlyphAtlas& atlas = font.Atlas();
        EXPECT_EQ(TextureDesc(font).Width, atlas.texWidth);
        EXPECT_FLOAT_EQ(atlas.textScale, 1.0f) << "this device takes large textures";
        // Rows as tall as the font at this resolution: the glyphs grew with it.
        EXPECT_GE(RowTexelHeight(atlas), f.height * dpi / 72.0f);
        for (int c = FirstGlyphChar; c <= LastGlyphChar; ++c) {
            const float* r = atlas.glyphCoords[c - FirstGlyphChar];
            EXPECT_GE(r[0], 0.0f) << c;
            EXPECT_GE(r[1], 0.0f) << c;
            EXPECT_LE(r[2], 1.0f) << c;
            EXPECT_LE(r[3], 1.0f) << c;
        }
    }
}

// Sets HKCU\Control Panel\Desktop "LogPixels" for the life of the object and puts back
// what was there (or nothing) afterwards.
class ScopedLogPixels {
public:
    explicit ScopedLogPixels(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &key_, nullptr);
        DWORD size = sizeof old_;
        had_ = RegQueryValueExA(key_, "LogPixels", nullptr, &oldType_, old_, &size) == ERROR_SUCCESS;
        oldSize_ = size;
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScopedLogPixels() {
        if (had_) {
            RegSetValueExA(key_, "LogPixels", 0, oldType_, old_, oldSize_);
        } else {
            RegDeleteValueA(key_, "LogPixels");
        }
        RegCloseKey(key_);
    }
    ScopedLogPixels(const ScopedLogPixels&) = delete;
    ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;

private:
    HKEY key_ = nullptr;
    bool had_ = false;
    DWORD oldType_ = 0;
    BYTE old_[64] = {};
    DWORD oldSize_ = 0;
};

// Runs the test above in a new process of this program; the exit code is gtest's.
DWORD RunChildTest(const char* filter, DWORD dpi) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string commandLine = std::string("\"") + program + "\" --gtest_filter=" + filter;
    SetEnvironmentVariableA("CELESTRA_EXPECTED_DPI", std::to_string(dpi).c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessA(program, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    SetEnvironmentVariableA("CELESTRA_EXPECTED_DPI", nullptr);
    if (!started) {
        return 0xFFFFFFFF;
    }
    WaitForSingleObject(process.hProcess, 120000);
    DWORD exitCode = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// At 192 dpi the bold 14-point font no longer fits the 256-texel texture of 96 dpi. The
// resolution is read when a process starts, hence the child process.
TEST(TextureFontDpi, GlyphsStayInsideTheirTextureAtHighResolutions) {
    for (DWORD dpi : {144u, 192u}) {
        SCOPED_TRACE(dpi);
        ScopedLogPixels logPixels(dpi);
        EXPECT_EQ(RunChildTest("TextureFontDevice.SceneFontsKeepEveryGlyphInsideTheTexture", dpi), 0u);
    }
}

}  // namespace
