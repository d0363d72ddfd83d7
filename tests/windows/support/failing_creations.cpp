#include "support/failing_creations.h"

#include <cstring>
#include <map>

#include "audio/win32/music_player.h"

int FailingCreations::failAt = 0;
int FailingCreations::count = 0;
std::vector<std::string> FailingCreations::kinds;

namespace {

// Positions in the IDirect3DDevice8 method table.
constexpr int TestCooperativeLevelSlot = 3;
constexpr int ResetSlot = 14;
constexpr int CreateTextureSlot = 20;
constexpr int CreateVertexBufferSlot = 23;
constexpr int EndStateBlockSlot = 53;
constexpr int DeleteStateBlockSlot = 56;

// Every real device shares one method table, so one copy of its entries serves all.
void** originalMethods = nullptr;
std::map<IDirect3DDevice8*, bool> lostDevices;

template <typename Proc>
Proc Original(int slot) {
    return reinterpret_cast<Proc>(originalMethods[slot]);
}

typedef HRESULT(WINAPI* TestCooperativeLevelProc)(IDirect3DDevice8*);
typedef HRESULT(WINAPI* ResetProc)(IDirect3DDevice8*, D3DPRESENT_PARAMETERS*);
typedef HRESULT(WINAPI* CreateTextureProc)(IDirect3DDevice8*, UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL,
                                           IDirect3DTexture8**);
typedef HRESULT(WINAPI* CreateVertexBufferProc)(IDirect3DDevice8*, UINT, DWORD, DWORD, D3DPOOL,
                                                IDirect3DVertexBuffer8**);
typedef HRESULT(WINAPI* EndStateBlockProc)(IDirect3DDevice8*, DWORD*);
typedef HRESULT(WINAPI* DeleteStateBlockProc)(IDirect3DDevice8*, DWORD);

HRESULT WINAPI CountedTestCooperativeLevel(IDirect3DDevice8* device) {
    return lostDevices[device] ? D3DERR_DEVICENOTRESET
                               : Original<TestCooperativeLevelProc>(TestCooperativeLevelSlot)(device);
}

// The watched devices are windowed stand-ins for full-screen ones, so they are reset
// as the windowed devices they are, on the window they were asked for.
HRESULT WINAPI CountedReset(IDirect3DDevice8* device, D3DPRESENT_PARAMETERS* parameters) {
    if (FailingCreations::Next("Reset")) {
        return D3DERR_DRIVERINTERNALERROR;  // still not reset
    }
    lostDevices[device] = false;
    D3DPRESENT_PARAMETERS windowed = {};
    windowed.BackBufferFormat = D3DFMT_UNKNOWN;
    windowed.BackBufferCount = 1;
    windowed.SwapEffect = D3DSWAPEFFECT_COPY;
    windowed.hDeviceWindow = parameters->hDeviceWindow;
    windowed.Windowed = TRUE;
    return Original<ResetProc>(ResetSlot)(device, parameters->Windowed ? parameters : &windowed);
}

HRESULT WINAPI CountedCreateTexture(IDirect3DDevice8* device, UINT width, UINT height, UINT levels,
                                    DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                    IDirect3DTexture8** texture) {
    if (FailingCreations::Next("texture")) {
        *texture = nullptr;
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    return Original<CreateTextureProc>(CreateTextureSlot)(device, width, height, levels, usage, format, pool,
                                                          texture);
}

HRESULT WINAPI CountedCreateVertexBuffer(IDirect3DDevice8* device, UINT length, DWORD usage, DWORD fvf,
                                         D3DPOOL pool, IDirect3DVertexBuffer8** buffer) {
    if (FailingCreations::Next("vertex buffer")) {
        *buffer = nullptr;
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    return Original<CreateVertexBufferProc>(CreateVertexBufferSlot)(device, length, usage, fvf, pool, buffer);
}

// The recording is ended in any case, so the device does not stay in recording mode; a
// failure then gives the block back as a driver would.
HRESULT WINAPI CountedEndStateBlock(IDirect3DDevice8* device, DWORD* token) {
    const HRESULT hr = Original<EndStateBlockProc>(EndStateBlockSlot)(device, token);
    if (FailingCreations::Next("state block")) {
        if (SUCCEEDED(hr)) {
            Original<DeleteStateBlockProc>(DeleteStateBlockSlot)(device, *token);
        }
        *token = 0;
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    return hr;
}

HRESULT CountedFilterGraph(IGraphBuilder** graph) {
    if (FailingCreations::Next("filter graph")) {
        *graph = nullptr;
        return E_OUTOFMEMORY;
    }
    return MusicPlayer::CreateFilterGraph(graph);
}

}  // namespace

FailingCreations::FailingCreations() {
    failAt = 0;
    count = 0;
    kinds.clear();
    lostDevices.clear();
    MusicPlayer::graphFactory = CountedFilterGraph;
}

FailingCreations::~FailingCreations() {
    for (auto it = patched_.rbegin(); it != patched_.rend(); ++it) {
        *(*it)->object = (*it)->originalTable;
        delete *it;
    }
    lostDevices.clear();
    MusicPlayer::graphFactory = MusicPlayer::CreateFilterGraph;
}

bool FailingCreations::Next(const char* kind) {
    kinds.push_back(kind);
    return ++count == failAt;
}

void FailingCreations::Watch(IDirect3DDevice8* device) {
    auto* entry = new Patched;
    entry->object = reinterpret_cast<void**>(device);
    entry->originalTable = static_cast<void**>(*entry->object);
    originalMethods = entry->originalTable;
    std::memcpy(entry->table, entry->originalTable, sizeof(entry->table));
    entry->table[TestCooperativeLevelSlot] = reinterpret_cast<void*>(CountedTestCooperativeLevel);
    entry->table[ResetSlot] = reinterpret_cast<void*>(CountedReset);
    entry->table[CreateTextureSlot] = reinterpret_cast<void*>(CountedCreateTexture);
    entry->table[CreateVertexBufferSlot] = reinterpret_cast<void*>(CountedCreateVertexBuffer);
    entry->table[EndStateBlockSlot] = reinterpret_cast<void*>(CountedEndStateBlock);
    *entry->object = entry->table;
    patched_.push_back(entry);
}

void FailingCreations::LoseDevices() {
    for (Patched* entry : patched_) {
        lostDevices[reinterpret_cast<IDirect3DDevice8*>(entry->object)] = true;
    }
}
