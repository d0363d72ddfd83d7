#include "support/recording_device.h"

#include <algorithm>
#include <cstring>

namespace {

UINT BytesPerTexel(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_A8R8G8B8:
        case D3DFMT_X8R8G8B8:
            return 4;
        default:
            return 2;
    }
}

}  // namespace

RecordedTexture::RecordedTexture(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool, HRESULT lockResult,
                                 UINT levels)
    : pitch(static_cast<INT>(width * BytesPerTexel(format)) + RowPadding),
      memory(static_cast<size_t>(pitch) * height + Tail, Untouched),
      lockResult(lockResult) {
    desc.Format = format;
    desc.Type = D3DRTYPE_SURFACE;
    desc.Pool = pool;
    desc.Width = width;
    desc.Height = height;
    desc.Size = static_cast<UINT>(memory.size());
    while ((levels == 0 || smallerLevels.size() + 1 < levels) && (width > 1 || height > 1)) {
        width = std::max(1u, width / 2);
        height = std::max(1u, height / 2);
        Level level;
        level.desc = desc;
        level.desc.Width = width;
        level.desc.Height = height;
        level.pitch = static_cast<INT>(width * BytesPerTexel(format)) + RowPadding;
        level.memory.assign(static_cast<size_t>(level.pitch) * height + Tail, Untouched);
        level.desc.Size = static_cast<UINT>(level.memory.size());
        smallerLevels.push_back(std::move(level));
    }
}

HRESULT RecordedTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* out) {
    if (level >= GetLevelCount() || out == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *out = level == 0 ? desc : smallerLevels[level - 1].desc;
    return D3D_OK;
}

HRESULT RecordedTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    if (FAILED(lockResult)) {
        return lockResult;
    }
    if (level >= GetLevelCount() || rect != nullptr || locked == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    ++locks;
    lockFlags = flags;
    locked->pBits = level == 0 ? memory.data() : smallerLevels[level - 1].memory.data();
    locked->Pitch = level == 0 ? pitch : smallerLevels[level - 1].pitch;
    return D3D_OK;
}

HRESULT RecordedTexture::UnlockRect(UINT level) {
    if (level >= GetLevelCount()) {
        return D3DERR_INVALIDCALL;
    }
    ++unlocks;
    return D3D_OK;
}

uint32_t RecordedTexture::Texel(UINT x, UINT y, UINT level) const {
    const UINT size = BytesPerTexel(desc.Format);
    const INT levelPitch = level == 0 ? pitch : smallerLevels[level - 1].pitch;
    const std::vector<BYTE>& levelMemory = level == 0 ? memory : smallerLevels[level - 1].memory;
    uint32_t texel = 0;
    std::memcpy(&texel, &levelMemory[static_cast<size_t>(y) * levelPitch + size * x], size);
    return texel;
}

namespace {

bool LevelPaddingUntouched(const std::vector<BYTE>& memory, INT pitch, const D3DSURFACE_DESC& desc) {
    const size_t rowBytes = static_cast<size_t>(desc.Width) * BytesPerTexel(desc.Format);
    for (size_t i = 0; i < memory.size(); ++i) {
        const bool inRow = i < static_cast<size_t>(pitch) * desc.Height && i % pitch < rowBytes;
        if (!inRow && memory[i] != RecordedTexture::Untouched) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool RecordedTexture::PaddingUntouched() const {
    if (!LevelPaddingUntouched(memory, pitch, desc)) {
        return false;
    }
    for (const Level& level : smallerLevels) {
        if (!LevelPaddingUntouched(level.memory, level.pitch, level.desc)) {
            return false;
        }
    }
    return true;
}

RecordedVertexBuffer::RecordedVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool)
    : bytes(length + Guard, Untouched) {
    desc.Format = D3DFMT_VERTEXDATA;
    desc.Type = D3DRTYPE_VERTEXBUFFER;
    desc.Usage = usage;
    desc.Pool = pool;
    desc.Size = length;
    desc.FVF = fvf;
}

HRESULT RecordedVertexBuffer::Lock(UINT offset, UINT size, BYTE** data, DWORD flags) {
    locks.push_back({offset, size, flags});
    if (lockRefused || static_cast<int>(locks.size()) == failingLock) {
        *data = nullptr;
        return D3DERR_INVALIDCALL;
    }
    if (data == nullptr || offset > desc.Size || size > desc.Size - offset) {
        return D3DERR_INVALIDCALL;
    }
    *data = bytes.data() + offset;
    locked = true;
    return D3D_OK;
}

HRESULT RecordedVertexBuffer::Unlock() {
    ++unlocks;
    locked = false;
    return D3D_OK;
}

HRESULT RecordedVertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* out) {
    *out = desc;
    return D3D_OK;
}

bool RecordedVertexBuffer::GuardIntact() const {
    return std::all_of(bytes.begin() + desc.Size, bytes.end(), [](BYTE b) { return b == Untouched; });
}

DWORD DrawRecord::RenderState(D3DRENDERSTATETYPE state, DWORD otherwise) const {
    const auto found = renderStates.find(state);
    return found != renderStates.end() ? found->second : otherwise;
}

RecordingDevice::RecordingDevice() = default;

int RecordingDevice::LiveTextures() const {
    return static_cast<int>(std::count_if(textures.begin(), textures.end(),
                                          [](const auto& texture) { return texture->references > 0; }));
}

int RecordingDevice::LiveVertexBuffers() const {
    return static_cast<int>(std::count_if(vertexBuffers.begin(), vertexBuffers.end(),
                                          [](const auto& buffer) { return buffer->references > 0; }));
}

const RecordedStateBlock* RecordingDevice::Block(DWORD token) const {
    const auto found = blocks_.find(token);
    return found != blocks_.end() ? &found->second : nullptr;
}

int RecordingDevice::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

void RecordingDevice::ClearRecords() {
    calls.clear();
    draws.clear();
}

HRESULT RecordingDevice::TestCooperativeLevel() {
    return cooperativeLevel;
}

HRESULT RecordingDevice::GetDirect3D(IDirect3D8** out) {
    if (direct3d == nullptr) {
        return E_FAIL;
    }
    direct3d->AddRef();
    *out = direct3d;
    return D3D_OK;
}

HRESULT RecordingDevice::GetDisplayMode(D3DDISPLAYMODE* mode) {
    *mode = {800, 600, 60, D3DFMT_R5G6B5};
    return D3D_OK;
}

HRESULT RecordingDevice::GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) {
    *parameters = {};
    parameters->DeviceType = D3DDEVTYPE_HAL;
    return D3D_OK;
}

HRESULT RecordingDevice::Present(const RECT*, const RECT*, HWND, const RGNDATA*) {
    calls.push_back("Present");
    return D3D_OK;
}

HRESULT RecordingDevice::UpdateTexture(IDirect3DBaseTexture8* from, IDirect3DBaseTexture8* to) {
    calls.push_back("UpdateTexture");
    updatedFrom = from;
    updatedTo = to;
    return updateTextureResult;
}

HRESULT RecordingDevice::GetDeviceCaps(D3DCAPS8* caps) {
    *caps = D3DCAPS8();
    caps->MaxTextureWidth = maxTextureWidth;
    caps->MaxTextureHeight = maxTextureHeight != 0 ? maxTextureHeight : maxTextureWidth;
    caps->TextureFilterCaps = textureFilterCaps;
    caps->MaxAnisotropy = maxAnisotropy;
    return D3D_OK;
}

HRESULT RecordingDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                       D3DPOOL pool, IDirect3DTexture8** texture) {
    calls.push_back("CreateTexture");
    textureCreations.push_back({width, height, levels, usage, format, pool});
    *texture = nullptr;
    if (FAILED(createTextureResult)) {
        return createTextureResult;
    }
    if (width <= textureShrink || height == 0) {
        return D3DERR_INVALIDCALL;
    }
    textures.push_back(std::make_unique<RecordedTexture>(width - textureShrink, height, format, pool,
                                                         textureLockResult, levels));
    *texture = textures.back().get();
    return D3D_OK;
}

HRESULT RecordingDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                            IDirect3DVertexBuffer8** buffer) {
    const int creation = Count("CreateVertexBuffer");
    calls.push_back("CreateVertexBuffer");
    *buffer = nullptr;
    if (failVertexBufferCreations.count(creation) != 0) {
        return D3DERR_OUTOFVIDEOMEMORY;
    }
    vertexBuffers.push_back(std::make_unique<RecordedVertexBuffer>(length, usage, fvf, pool));
    vertexBuffers.back()->lockRefused = unlockableVertexBuffers.count(creation) != 0;
    vertexBuffers.back()->failingLock = failVertexBufferLock;
    *buffer = vertexBuffers.back().get();
    return D3D_OK;
}

HRESULT RecordingDevice::BeginScene() {
    calls.push_back("BeginScene");
    return beginSceneResult;
}

HRESULT RecordingDevice::EndScene() {
    calls.push_back("EndScene");
    return D3D_OK;
}

HRESULT RecordingDevice::Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) {
    calls.push_back("Clear");
    return D3D_OK;
}

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
    calls.push_back("SetTransform");
    transforms[state] = *matrix;
    return D3D_OK;
}

HRESULT RecordingDevice::SetMaterial(const D3DMATERIAL8* value) {
    calls.push_back("SetMaterial");
    material = *value;
    return D3D_OK;
}

HRESULT RecordingDevice::SetLight(DWORD index, const D3DLIGHT8* light) {
    calls.push_back("SetLight");
    if (index == 0) {
        light0 = *light;
    }
    return D3D_OK;
}

HRESULT RecordingDevice::LightEnable(DWORD index, WINBOOL enable) {
    calls.push_back("LightEnable");
    if (index == 0) {
        light0Enabled = enable;
    }
    return D3D_OK;
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    calls.push_back("SetRenderState");
    if (recording_ != nullptr) {
        recording_->renderStates[state] = value;
    } else {
        renderStates[state] = value;
    }
    return D3D_OK;
}

HRESULT RecordingDevice::BeginStateBlock() {
    calls.push_back("BeginStateBlock");
    if (recording_ != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    pending_ = RecordedStateBlock();
    recording_ = &pending_;
    return D3D_OK;
}

HRESULT RecordingDevice::EndStateBlock(DWORD* token) {
    calls.push_back("EndStateBlock");
    if (recording_ == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    recording_ = nullptr;
    *token = ++lastToken_;
    blocks_[*token] = pending_;
    ++liveStateBlocks;
    return D3D_OK;
}

HRESULT RecordingDevice::ApplyStateBlock(DWORD token) {
    calls.push_back("ApplyStateBlock");
    const auto found = blocks_.find(token);
    if (found == blocks_.end()) {
        return D3DERR_INVALIDCALL;
    }
    const RecordedStateBlock& block = found->second;
    for (const auto& [state, value] : block.renderStates) {
        renderStates[state] = value;
    }
    for (const auto& [key, value] : block.stageStates) {
        stageStates[key] = value;
    }
    if (block.hasTexture) {
        texture0 = block.texture;
    }
    return D3D_OK;
}

HRESULT RecordingDevice::CaptureStateBlock(DWORD token) {
    calls.push_back("CaptureStateBlock");
    const auto found = blocks_.find(token);
    if (found == blocks_.end()) {
        return D3DERR_INVALIDCALL;
    }
    RecordedStateBlock& block = found->second;
    for (auto& [state, value] : block.renderStates) {
        const auto current = renderStates.find(state);
        value = current != renderStates.end() ? current->second : 0;
    }
    for (auto& [key, value] : block.stageStates) {
        const auto current = stageStates.find(key);
        value = current != stageStates.end() ? current->second : 0;
    }
    if (block.hasTexture) {
        block.texture = texture0;
    }
    return D3D_OK;
}

HRESULT RecordingDevice::DeleteStateBlock(DWORD token) {
    calls.push_back("DeleteStateBlock");
    if (blocks_.erase(token) == 0) {
        return D3DERR_INVALIDCALL;
    }
    --liveStateBlocks;
    deletedStateBlocks.push_back(token);
    return D3D_OK;
}

HRESULT RecordingDevice::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
    calls.push_back("SetTexture");
    if (stage == 0) {
        if (recording_ != nullptr) {
            recording_->hasTexture = true;
            recording_->texture = texture;
        } else {
            texture0 = texture;
        }
    }
    return D3D_OK;
}

HRESULT RecordingDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    calls.push_back("SetTextureStageState");
    if (recording_ != nullptr) {
        recording_->stageStates[{stage, type}] = value;
    } else {
        stageStates[{stage, type}] = value;
    }
    return D3D_OK;
}

HRESULT RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT count) {
    calls.push_back("DrawPrimitive");
    DrawRecord draw = {};
    draw.type = type;
    draw.startVertex = startVertex;
    draw.count = count;
    draw.stream = stream0;
    const auto* recorded = dynamic_cast<const RecordedVertexBuffer*>(stream0);
    draw.streamLocks = recorded != nullptr ? recorded->locks.size() : 0;
    draw.streamLocked = recorded != nullptr && recorded->locked;
    draw.stride = stride0;
    draw.vertexShader = vertexShader;
    draw.pixelShader = pixelShader;
    draw.texture = texture0;
    draw.light0 = light0Enabled;
    draw.world = transforms[D3DTS_WORLD];
    draw.view = transforms[D3DTS_VIEW];
    draw.material = material;
    draw.renderStates = renderStates;
    draw.stageStates = stageStates;
    draws.push_back(draw);
    return D3D_OK;
}

HRESULT RecordingDevice::SetVertexShader(DWORD handle) {
    calls.push_back("SetVertexShader");
    vertexShader = handle;
    return D3D_OK;
}

HRESULT RecordingDevice::SetPixelShader(DWORD handle) {
    calls.push_back("SetPixelShader");
    pixelShader = handle;
    return D3D_OK;
}

HRESULT RecordingDevice::SetStreamSource(UINT stream, IDirect3DVertexBuffer8* buffer, UINT stride) {
    calls.push_back("SetStreamSource");
    if (stream == 0) {
        stream0 = buffer;
        stride0 = stride;
    }
    return D3D_OK;
}
