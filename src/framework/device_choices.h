#pragma once

#include <cstdint>

// Rules that pick vertex processing, depth-stencil formats, device kinds and the adapter
// for a single device, over plain values so that they run without Direct3D.

constexpr uint32_t MaxVertexProcessingChoices = 4;
constexpr uint32_t MaxDepthStencilCandidates = 6;
constexpr uint32_t NoKindIndex = 0xFFFF;

// D3DCREATE_ vertex-processing flags to offer the application's caps check, best first:
// pure hardware, hardware and mixed only with hardware transform and lighting, software
// always last.
uint32_t VertexProcessingChoices(uint32_t devCaps, uint32_t choices[MaxVertexProcessingChoices]);

// Depth-stencil formats with at least the requested bits, in the order they are tried.
uint32_t DepthStencilCandidates(uint32_t minDepthBits, uint32_t minStencilBits,
                                uint32_t candidates[MaxDepthStencilCandidates]);

// What the kind choice needs to know about one kept device kind.
struct DeviceKindTraits {
    uint32_t deviceType;  // D3DDEVTYPE value
    bool canRenderWindowed;
};

// The kind a full-screen device uses: a HAL at once unless the hardware is disabled,
// else software, else the reference rasteriser when allowed and no software kind exists.
uint32_t ChooseFullScreenKind(const DeviceKindTraits* kinds, uint32_t count, bool disableHardware,
                              bool allowReference);

// The same for a windowed device, where HAL and software kinds must render windowed.
uint32_t ChooseWindowedKind(const DeviceKindTraits* kinds, uint32_t count, bool disableHardware,
                            bool allowReference);

constexpr uint32_t NoAdapterIndex = 0xFFFFFFFF;

struct AdapterUsability {
    bool usableHardware;
    bool usableSoftware;
};

// The adapter for a single device, scanning the monitors' adapters in monitor order: the
// first with usable hardware, else the last with usable software. False when none.
bool FindBestAdapterIndex(const uint32_t* monitorAdapters, uint32_t monitorCount,
                          const AdapterUsability* adapters, uint32_t adapterCount, uint32_t* best);
