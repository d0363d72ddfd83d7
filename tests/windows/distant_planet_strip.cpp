// A distant planet and its name over consecutive frames, with and without mipmaps: the
// evidence for whether textures seen much smaller than their texels shimmer. Printed
// figures and two pictures, never judged:
//
//   distant_planet_strip W H FRAMES BODY OUT
//
// renders the planet view of Jupiter on a real device of W x H, finds a moment from
// which BODY (a catalogue index, e.g. 7 for the Earth) stands far off inside the picture,
// and draws FRAMES frames 1/60 s apart. Each frame is drawn twice: with the scene's
// textures as they are ("after"), and with single-level stand-ins for the mipmapped
// names and planet map ("before"); a crop around the body from each goes into
// OUT-after.bmp and OUT-before.bmp, ten to a row. The flicker figures compare the body's name alone and its
// sphere alone: how much the brightness of each, summed over the crop, departs from the
// mean of the frames before and after it, relative to that brightness. A steady drift
// scores 0; a texture that aliases as it moves scores high.

#include <windows.h>
#include <d3d8.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scene/win32/orrery_saver.h"
#include "support/real_device.h"
#include "text/font_flags.h"
#include "text/win32/texture_font.h"

namespace {

constexpr int CropWidth = 128;
constexpr int CropHeight = 80;
constexpr int TilesPerRow = 10;

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Where a world point lands on the screen, in pixels; false when behind the eye.
bool Project(IDirect3DDevice8* device, const D3DXMATRIX& view, const D3DXVECTOR3& point, int width,
             int height, float* x, float* y) {
    D3DXMATRIX projection;
    device->GetTransform(D3DTS_PROJECTION, &projection);
    const D3DXMATRIX both = view * projection;
    const float w = point.x * both._14 + point.y * both._24 + point.z * both._34 + both._44;
    if (w <= 0.0f) {
        return false;
    }
    D3DXVECTOR3 clip;
    D3DXVec3TransformCoord(&clip, &point, &both);
    *x = (clip.x + 1.0f) * 0.5f * static_cast<float>(width);
    *y = (1.0f - clip.y) * 0.5f * static_cast<float>(height);
    return true;
}

// The scene's drawing steps for one picture: everything, the names alone, or the planets
// alone, on black.
enum class Layer { Whole, Names, Planets };

void Render(OrrerySaver& saver, Layer layer) {
    if (layer == Layer::Whole) {
        saver.RenderFrame();
        return;
    }
    saver.SetScreenProjection(0.05f, 3000.0f);
    saver.activeDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    if (FAILED(saver.activeDevice->BeginScene())) {
        return;
    }
    if (layer == Layer::Names) {
        saver.DrawBodyNames();
    } else {
        saver.DrawPlanets();
    }
    saver.activeDevice->EndScene();
}

struct Crop {
    int left;
    int top;
};

// The summed brightness (0..765 per pixel) of a crop of the back buffer.
double Brightness(const std::vector<uint32_t>& pixels, int width, int height, Crop crop) {
    double sum = 0.0;
    for (int y = std::max(0, crop.top); y < std::min(height, crop.top + CropHeight); ++y) {
        for (int x = std::max(0, crop.left); x < std::min(width, crop.left + CropWidth); ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * width + x];
            sum += ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        }
    }
    return sum;
}

void CopyTile(const std::vector<uint32_t>& pixels, int width, int height, Crop crop, int tile,
              std::vector<uint32_t>& sheet, int sheetWidth) {
    const int tileLeft = (tile % TilesPerRow) * CropWidth;
    const int tileTop = (tile / TilesPerRow) * CropHeight;
    for (int y = 0; y < CropHeight; ++y) {
        for (int x = 0; x < CropWidth; ++x) {
            const int sx = crop.left + x;
            const int sy = crop.top + y;
            const bool inside = sx >= 0 && sy >= 0 && sx < width && sy < height;
            sheet[static_cast<size_t>(tileTop + y) * sheetWidth + tileLeft + x] =
                inside ? pixels[static_cast<size_t>(sy) * width + sx] : 0;
        }
    }
}

// Mean of |s[t] - (s[t-1] + s[t+1]) / 2| over the inner frames, over the mean of s, in %.
double FlickerPercent(const std::vector<double>& sums) {
    if (sums.size() < 3) {
        return 0.0;
    }
    double departure = 0.0;
    double total = 0.0;
    for (size_t t = 1; t + 1 < sums.size(); ++t) {
        departure += std::fabs(sums[t] - 0.5 * (sums[t - 1] + sums[t + 1]));
        total += sums[t];
    }
    return total > 0.0 ? 100.0 * departure / total : 0.0;
}

// One way of drawing the frames: its sheet of crops and the brightness of each layer.
struct Variant {
    const char* name;
    bool mipmapped;
    std::vector<uint32_t> sheet;
    std::vector<double> names;
    std::vector<double> planets;
};

// A single-level copy of level 0 of a 32-bit texture: the planet as it was drawn before
// it had mipmaps.
IDirect3DTexture8* FirstLevelCopy(IDirect3DDevice8* device, IDirect3DTexture8* texture) {
    D3DSURFACE_DESC desc = {};
    texture->GetLevelDesc(0, &desc);
    IDirect3DTexture8* copy = nullptr;
    if (FAILED(device->CreateTexture(desc.Width, desc.Height, 1, 0, desc.Format, D3DPOOL_MANAGED, &copy))) {
        return nullptr;
    }
    D3DLOCKED_RECT from = {};
    D3DLOCKED_RECT to = {};
    texture->LockRect(0, &from, nullptr, D3DLOCK_READONLY);
    copy->LockRect(0, &to, nullptr, 0);
    for (UINT y = 0; y < desc.Height; ++y) {
        std::memcpy(static_cast<BYTE*>(to.pBits) + y * to.Pitch,
                    static_cast<const BYTE*>(from.pBits) + y * from.Pitch, desc.Width * 4);
    }
    copy->UnlockRect(0);
    texture->UnlockRect(0);
    return copy;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: distant_planet_strip W H FRAMES BODY OUT\n");
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    const int frames = std::max(3, std::atoi(argv[3]));
    const int body = std::clamp(std::atoi(argv[4]), 1, BodyCount - 1);
    const std::string out = argv[5];

    RealDevice screen(width, height);
    if (screen.Device() == nullptr) {
        std::printf("no Direct3D device: %s\n", screen.Error().c_str());
        return 0;
    }
    PumpMessages();
    OrrerySaver saver;
    saver.mode = SaverMode::Test;
    saver.settings.cameraSettings = CameraPlanetView;
    saver.settings.planetToView = JupiterIndex;
    saver.settings.names = 1;
    saver.settings.audio = 0;
    saver.settings.customAudio = 0;
    saver.activeDevice = screen.Device();
    saver.backBufferDesc.Width = width;
    saver.backBufferDesc.Height = height;
    saver.renderTotal = RECT{0, 0, width, height};
    saver.renderCurrent = saver.renderTotal;
    saver.UseScreenDevice(0);
    if (FAILED(saver.PrepareDeviceObjects())) {
        std::printf("preparation failed\n");
        return 0;
    }
    DeviceSceneObjects& objects = *saver.currentDevice;

    // The stand-in of the names' font: the same glyphs on a single level.
    TextureFont* names = objects.nameFont;
    TextureFont plainNames(names->FaceName(), names->Height(), names->Flags() & ~FontMipmaps,
                           names->PixelsPerInch());
    plainNames.InitDeviceObjects(screen.Device());
    plainNames.RestoreDeviceObjects();

    // A moment from which the body stands well inside the picture.
    float start = 3.0f;
    float x = 0.0f;
    float y = 0.0f;
    for (;; start += 0.25f) {
        saver.time = start;
        saver.AdvanceFrame();
        saver.RenderFrame();
        if (Project(screen.Device(), saver.viewMatrix, saver.bodies[body].position, width, height, &x, &y) &&
            x > 0.2f * width && x < 0.8f * width && y > 0.3f * height && y < 0.8f * height) {
            break;
        }
        if (start > 300.0f) {
            std::printf("body %d never came into the picture\n", body);
            return 0;
        }
    }
    std::printf("# %s from %.2f s, %d frames at 60 per second, %dx%d, %u dpi\n", saver.bodies[body].name,
                start, frames, width, height, saver.screenDpi);

    const int rows = (frames + TilesPerRow - 1) / TilesPerRow;
    const int sheetWidth = TilesPerRow * CropWidth;
    const int sheetHeight = rows * CropHeight;
    // The stand-in of the body's map: level 0 alone.
    IDirect3DTexture8* surface = objects.bodyTextures[body];
    IDirect3DTexture8* plainSurface = FirstLevelCopy(screen.Device(), surface);
    Variant variants[] = {{"after", true, {}, {}, {}}, {"before", false, {}, {}, {}}};
    for (Variant& variant : variants) {
        variant.sheet.assign(static_cast<size_t>(sheetWidth) * sheetHeight, 0);
    }
    for (int frame = 0; frame < frames; ++frame) {
        saver.time = start + static_cast<float>(frame) / 60.0f;
        saver.AdvanceFrame();
        for (Variant& variant : variants) {
            objects.nameFont = variant.mipmapped ? names : &plainNames;
            objects.bodyTextures[body] = variant.mipmapped ? surface : plainSurface;
            Render(saver, Layer::Whole);
            Project(screen.Device(), saver.viewMatrix, saver.bodies[body].position, width, height, &x, &y);
            // The planet in the lower half of the crop, its name above it.
            const Crop crop = {static_cast<int>(std::lround(x)) - CropWidth / 2,
                               static_cast<int>(std::lround(y)) - CropHeight * 5 / 8};
            CopyTile(screen.ReadBackBuffer(), width, height, crop, frame, variant.sheet, sheetWidth);
            Render(saver, Layer::Names);
            variant.names.push_back(Brightness(screen.ReadBackBuffer(), width, height, crop));
            Render(saver, Layer::Planets);
            variant.planets.push_back(Brightness(screen.ReadBackBuffer(), width, height, crop));
        }
        objects.nameFont = names;
        objects.bodyTextures[body] = surface;
        PumpMessages();
    }

    std::printf("%-8s %18s %20s\n", "textures", "name flicker %", "planet flicker %");
    for (const Variant& variant : variants) {
        std::printf("%-8s %18.2f %20.2f\n", variant.name, FlickerPercent(variant.names),
                    FlickerPercent(variant.planets));
        const std::string path = out + "-" + variant.name + ".bmp";
        SavePixelsAsBmp(variant.sheet, sheetWidth, sheetHeight, path.c_str());
    }
    if (plainSurface != nullptr) {
        plainSurface->Release();
    }
    plainNames.InvalidateDeviceObjects();
    plainNames.DeleteDeviceObjects();
    saver.ReleaseDeviceObjects();
    return 0;
}
