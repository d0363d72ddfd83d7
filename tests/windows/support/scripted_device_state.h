#pragma once

#include <windows.h>
#include <d3d8.h>

// Makes a real device report the cooperative level a test chooses (lost, not reset)
// and counts its Reset and Present calls. A real device cannot be lost on purpose, so
// the object gets a copy of its method table in which these three entries are
// replaced; every other method is the device's own. Restored on destruction. One at a
// time.
class ScriptedDeviceState {
public:
    explicit ScriptedDeviceState(IDirect3DDevice8* device);
    ~ScriptedDeviceState();
    ScriptedDeviceState(const ScriptedDeviceState&) = delete;
    ScriptedDeviceState& operator=(const ScriptedDeviceState&) = delete;

    static HRESULT cooperativeLevel;  // what TestCooperativeLevel answers
    static HRESULT resetResult;       // S_OK: the device's own Reset runs
    static int failingResets;         // Resets that answer resetResult before the device's own runs; -1: all
    static int resets;
    static int presents;

private:
    static constexpr int MethodCount = 97;
    void** object_;
    void** originalTable_;
    void* table_[MethodCount];
};
