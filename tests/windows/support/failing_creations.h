#pragma once

#include <windows.h>
#include <d3d8.h>

#include <string>
#include <vector>

struct IGraphBuilder;

// Counts every creation of a run — device, vertex buffer, texture, state block, Reset,
// the music's filter graph — and fails the one whose number a test chooses. Real devices
// take part through a copy of their method table in which the creating methods (and
// TestCooperativeLevel, so a test can make a device lost) pass through here first; every
// other method is the device's own. The filter graph takes part through the music
// player's graph factory. One run at a time: the state is static, as the device's own
// method table is.
class FailingCreations {
public:
    FailingCreations();
    ~FailingCreations();
    FailingCreations(const FailingCreations&) = delete;
    FailingCreations& operator=(const FailingCreations&) = delete;

    // Routes the device's creations through the count; once per device.
    void Watch(IDirect3DDevice8* device);
    // Makes every watched device report D3DERR_DEVICENOTRESET until it is reset.
    void LoseDevices();

    // True when the creation of this kind that comes now is the one to fail; counts it.
    static bool Next(const char* kind);

    static int failAt;                      // 1-based number of the creation that fails; 0: none
    static int count;                       // creations so far
    static std::vector<std::string> kinds;  // the kind of every creation, in order

private:
    static constexpr int MethodCount = 97;
    struct Patched {
        void** object;
        void** originalTable;
        void* table[MethodCount];
    };
    std::vector<Patched*> patched_;
};
