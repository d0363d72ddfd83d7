#include "framework/device_choices.h"

#include "framework/d3d_codes.h"

uint32_t VertexProcessingChoices(uint32_t devCaps, uint32_t choices[MaxVertexProcessingChoices]) {
    uint32_t count = 0;
    if (devCaps & DevCapsHwTransformAndLight) {
        if (devCaps & DevCapsPureDevice) {
            choices[count++] = CreateHardwareVertexProcessing | CreatePureDevice;
        }
        choices[count++] = CreateHardwareVertexProcessing;
        choices[count++] = CreateMixedVertexProcessing;
    }
    choices[count++] = CreateSoftwareVertexProcessing;
    return count;
}

uint32_t DepthStencilCandidates(uint32_t minDepthBits, uint32_t minStencilBits,
                                uint32_t candidates[MaxDepthStencilCandidates]) {
    struct Candidate {
        uint32_t format;
        uint32_t depthBits;
        uint32_t stencilBits;
    };
    static const Candidate table[MaxDepthStencilCandidates] = {
        {FormatD16, 16, 0},   {FormatD15S1, 15, 1},   {FormatD24X8, 24, 0},
        {FormatD24S8, 24, 8}, {FormatD24X4S4, 24, 4}, {FormatD32, 32, 0},
    };
    uint32_t count = 0;
    for (const Candidate& candidate : table) {
        if (minDepthBits <= candidate.depthBits && minStencilBits <= candidate.stencilBits) {
            candidates[count++] = candidate.format;
        }
    }
    return count;
}

namespace {

uint32_t ChooseKind(const DeviceKindTraits* kinds, uint32_t count, bool disableHardware, bool allowReference,
                    bool mustRenderWindowed) {
    uint32_t chosen = NoKindIndex;
    bool tookSoftware = false;
    for (uint32_t i = 0; i < count; ++i) {
        const DeviceKindTraits& kind = kinds[i];
        const bool rendersHere = !mustRenderWindowed || kind.canRenderWindowed;
        if (kind.deviceType == DeviceTypeHal && rendersHere && !disableHardware) {
            return i;
        }
        if (kind.deviceType == DeviceTypeSw && rendersHere) {
            chosen = i;
            tookSoftware = true;
        } else if (kind.deviceType == DeviceTypeRef && allowReference && !tookSoftware) {
            chosen = i;
        }
    }
    return chosen;
}

}  // namespace

uint32_t ChooseFullScreenKind(const DeviceKindTraits* kinds, uint32_t count, bool disableHardware,
                              bool allowReference) {
    return ChooseKind(kinds, count, disableHardware, allowReference, false);
}

uint32_t ChooseWindowedKind(const DeviceKindTraits* kinds, uint32_t count, bool disableHardware,
                            bool allowReference) {
    return ChooseKind(kinds, count, disableHardware, allowReference, true);
}

bool FindBestAdapterIndex(const uint32_t* monitorAdapters, uint32_t monitorCount,
                          const AdapterUsability* adapters, uint32_t adapterCount, uint32_t* best) {
    bool found = false;
    for (uint32_t i = 0; i < monitorCount; ++i) {
        const uint32_t adapter = monitorAdapters[i];
        if (adapter == NoAdapterIndex || adapter >= adapterCount) {
            continue;
        }
        if (adapters[adapter].usableHardware) {
            *best = adapter;
            return true;
        }
        if (adapters[adapter].usableSoftware) {
            *best = adapter;
            found = true;
        }
    }
    return found;
}
