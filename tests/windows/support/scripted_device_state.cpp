#include "support/scripted_device_state.h"

#include <cstring>

HRESULT ScriptedDeviceState::cooperativeLevel = D3D_OK;
HRESULT ScriptedDeviceState::resetResult = D3D_OK;
int ScriptedDeviceState::failingResets = -1;
int ScriptedDeviceState::resets = 0;
int ScriptedDeviceState::presents = 0;

namespace {

// Positions in the IDirect3DDevice8 method table.
constexpr int TestCooperativeLevelSlot = 3;
constexpr int ResetSlot = 14;
constexpr int PresentSlot = 15;

typedef HRESULT(WINAPI* ResetProc)(IDirect3DDevice8*, D3DPRESENT_PARAMETERS*);
typedef HRESULT(WINAPI* PresentProc)(IDirect3DDevice8*, const RECT*, const RECT*, HWND, const RGNDATA*);

void** originalMethods = nullptr;

HRESULT WINAPI ScriptedTestCooperativeLevel(IDirect3DDevice8*) {
    return ScriptedDeviceState::cooperativeLevel;
}

HRESULT WINAPI ScriptedReset(IDirect3DDevice8* device, D3DPRESENT_PARAMETERS* parameters) {
    ++ScriptedDeviceState::resets;
    int& failing = ScriptedDeviceState::failingResets;
    if (FAILED(ScriptedDeviceState::resetResult) && failing != 0) {
        failing -= (failing > 0) ? 1 : 0;
        return ScriptedDeviceState::resetResult;
    }
    return reinterpret_cast<ResetProc>(originalMethods[ResetSlot])(device, parameters);
}

HRESULT WINAPI ScriptedPresent(IDirect3DDevice8* device, const RECT* source, const RECT* destination,
                               HWND window, const RGNDATA* dirty) {
    ++ScriptedDeviceState::presents;
    return reinterpret_cast<PresentProc>(originalMethods[PresentSlot])(device, source, destination, window,
                                                                       dirty);
}

}  // namespace

ScriptedDeviceState::ScriptedDeviceState(IDirect3DDevice8* device)
    : object_(reinterpret_cast<void**>(device)), originalTable_(static_cast<void**>(*object_)), table_() {
    cooperativeLevel = D3D_OK;
    resetResult = D3D_OK;
    failingResets = -1;
    resets = 0;
    presents = 0;
    originalMethods = originalTable_;
    std::memcpy(table_, originalTable_, sizeof(table_));
    table_[TestCooperativeLevelSlot] = reinterpret_cast<void*>(ScriptedTestCooperativeLevel);
    table_[ResetSlot] = reinterpret_cast<void*>(ScriptedReset);
    table_[PresentSlot] = reinterpret_cast<void*>(ScriptedPresent);
    *object_ = table_;
}

ScriptedDeviceState::~ScriptedDeviceState() {
    *object_ = originalTable_;
}
