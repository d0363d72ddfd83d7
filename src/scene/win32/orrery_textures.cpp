#include "d3dx/win32/d3dx_texture.h"
#include "resource_ids.h"
#include "scene/win32/orrery_saver.h"
#include "scene/win32/vertex_buffer_upload.h"

namespace {

const char TextureResourceType[] = "DDS";

// Star box faces +x, -x, +y, -y, +z, -z.
constexpr int StarFaceIds[SkyFaceCount] = {IDR_STARS_POS_X, IDR_STARS_NEG_X, IDR_STARS_POS_Y,
                                           IDR_STARS_NEG_Y, IDR_STARS_POS_Z, IDR_STARS_NEG_Z};
constexpr int MoreStarFaceIds[SkyFaceCount] = {IDR_MORE_STARS_POS_X, IDR_MORE_STARS_NEG_X,
                                               IDR_MORE_STARS_POS_Y, IDR_MORE_STARS_NEG_Y,
                                               IDR_MORE_STARS_POS_Z, IDR_MORE_STARS_NEG_Z};
// Surfaces of bodies 1..9; the Sun (0) is only its glow.
constexpr int BodyTextureIds[BodyCount] = {0,           IDR_PLUTO, IDR_NEPTUNE, IDR_URANUS, IDR_SATURN,
                                           IDR_JUPITER, IDR_MARS,  IDR_EARTH,   IDR_VENUS,  IDR_MERCURY};

// The bytes of a resource of the executable, or null when it is missing or empty.
const void* ResourceBytes(int resourceId, DWORD* size) {
    *size = 0;
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId), TextureResourceType);
    if (info == nullptr) {
        return nullptr;
    }
    *size = SizeofResource(nullptr, info);
    HGLOBAL handle = *size != 0 ? LoadResource(nullptr, info) : nullptr;
    return handle != nullptr ? LockResource(handle) : nullptr;
}

}  // namespace

// The image's own size in the managed pool, so the texture outlives a device reset; the
// format follows the image (with alpha for the TGA images).
HRESULT OrrerySaver::LoadResourceTexture(int resourceId, IDirect3DTexture8** texture, UINT mipLevels) {
    if (texture == nullptr) {
        return E_POINTER;
    }
    if (PreviewHostGoneWhilePreparing()) {
        return E_ABORT;  // each texture takes a while, and no one will see them
    }
    DWORD size = 0;
    const void* data = ResourceBytes(resourceId, &size);
    if (data != nullptr && size != 0) {
        const HRESULT hr = D3DXCreateTextureFromFileInMemoryEx(
            activeDevice, data, size, D3DX_DEFAULT, D3DX_DEFAULT, mipLevels, 0, D3DFMT_UNKNOWN,
            D3DPOOL_MANAGED, D3DX_FILTER_NONE, mipLevels == 1 ? D3DX_FILTER_NONE : D3DX_FILTER_BOX, 0,
            nullptr, nullptr, texture);
        if (FAILED(hr)) {
            return hr;
        }
    }
    return *texture != nullptr ? S_OK : E_FAIL;
}

// Stops at the first texture that cannot be made; what was loaded before stays for
// ReleaseDeviceObjects. The "Stars" setting is read here, so a change shows at the next
// preparation.
HRESULT OrrerySaver::LoadSceneTextures() {
    if (currentDevice == nullptr) {
        return E_FAIL;
    }
    DeviceSceneObjects& objects = *currentDevice;
    for (auto& face : objects.skyTextures) {
        ReleaseSlot(face);
    }
    for (auto& surface : objects.bodyTextures) {
        ReleaseSlot(surface);
    }
    ReleaseSlot(objects.haloTexture);
    ReleaseSlot(objects.sunGlowTexture);

    const int* faceIds = settings.stars ? MoreStarFaceIds : StarFaceIds;
    for (int f = 0; f < SkyFaceCount; ++f) {
        const HRESULT hr = LoadResourceTexture(faceIds[f], &objects.skyTextures[f]);
        if (FAILED(hr)) {
            return hr;
        }
    }
    // A planet far off is drawn much smaller than its map, whose detail then shimmers as
    // the planet turns and moves: its texture has every level down to 1 x 1. The other
    // textures are never seen much smaller than they are.
    for (int i = 1; i < BodyCount; ++i) {
        const HRESULT hr = LoadResourceTexture(BodyTextureIds[i], &objects.bodyTextures[i], 0);
        if (FAILED(hr)) {
            return hr;
        }
    }
    HRESULT hr = LoadResourceTexture(IDR_HALO, &objects.haloTexture);
    if (FAILED(hr)) {
        return hr;
    }
    hr = LoadResourceTexture(IDR_SUN_GLOW, &objects.sunGlowTexture);
    if (FAILED(hr)) {
        return hr;
    }
    ReleaseSlot(objects.ringTexture);
    return LoadResourceTexture(IDR_RING, &objects.ringTexture);
}

// The ring texture goes too: kept, it would hold on to the device after the run. The
// line edge, made after the rest, goes first.
void ReleaseSceneTextures(DeviceSceneObjects& objects) {
    ReleaseSlot(objects.lineTexture);
    ReleaseSlot(objects.ringTexture);
    ReleaseSlot(objects.sunGlowTexture);
    ReleaseSlot(objects.haloTexture);
    for (int i = BodyCount - 1; i >= 0; --i) {
        ReleaseSlot(objects.bodyTextures[i]);
    }
    for (int f = SkyFaceCount - 1; f >= 0; --f) {
        ReleaseSlot(objects.skyTextures[f]);
    }
}
