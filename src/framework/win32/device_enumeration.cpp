#include <new>

#include "framework/d3d_codes.h"
#include "framework/device_choices.h"
#include "framework/display_mode_list.h"
#include "framework/mode_selection.h"
#include "framework/status_codes.h"
#include "framework/win32/device_kind_modes.h"
#include "framework/win32/direct3d_loader.h"
#include "framework/win32/saver_base.h"

namespace {

// Device types in the order they are probed; the reference rasteriser only on request.
const D3DDEVTYPE probedTypes[] = {D3DDEVTYPE_HAL, D3DDEVTYPE_SW, D3DDEVTYPE_REF};

const char* KindName(D3DDEVTYPE type) {
    switch (type) {
        case D3DDEVTYPE_HAL:
            return "HAL";
        case D3DDEVTYPE_REF:
            return "REF";
        default:
            return "SW";
    }
}

// The driver fills these fixed fields; whatever it wrote, they end within their size.
void TerminateIdentifierTexts(D3DADAPTER_IDENTIFIER8& identifier) {
    identifier.Driver[sizeof(identifier.Driver) - 1] = '\0';
    identifier.Description[sizeof(identifier.Description) - 1] = '\0';
}

// How one display format works with one device kind.
struct FormatSupport {
    bool accepted;
    DWORD behaviour;
    D3DFORMAT depthStencilFormat;
};

bool HasUsableKind(const SaverBase& saver) {
    for (DWORD a = 0; a < saver.adapterCount; ++a) {
        const AdapterRecord* adapter = saver.adapters[a];
        if (adapter != nullptr && (adapter->hasUsableHardware || adapter->hasUsableSoftware)) {
            return true;
        }
    }
    return false;
}

// The kind of `type` on adapter `a`, with the modes whose format it accepts. Kinds
// without any mode are not kept: the next type probed takes over their slot.
void EnumerateDeviceKind(SaverBase& saver, UINT a, D3DDEVTYPE type, const DisplayModeList& list) {
    AdapterRecord& adapter = *saver.adapters[a];
    DeviceKindRecord& kind = adapter.deviceKinds[adapter.deviceKindCount];
    kind = DeviceKindRecord{};
    kind.deviceType = type;
    saver.direct3d->GetDeviceCaps(a, type, &kind.caps);
    kind.kindName = KindName(type);
    kind.multisampleType = D3DMULTISAMPLE_NONE;

    FormatSupport support[MaxListedFormats] = {};
    for (DWORD f = 0; f < list.formatCount; ++f) {
        const D3DFORMAT format = static_cast<D3DFORMAT>(list.formats[f]);
        if (FAILED(saver.direct3d->CheckDeviceType(a, type, format, format, FALSE))) {
            continue;
        }
        if (type == D3DDEVTYPE_SW) {
            adapter.hasSoftware = TRUE;
        } else if (type == D3DDEVTYPE_HAL) {
            adapter.hasHardware = TRUE;
        }
        uint32_t choices[MaxVertexProcessingChoices];
        const uint32_t choiceCount = VertexProcessingChoices(kind.caps.DevCaps, choices);
        for (uint32_t c = 0; c < choiceCount && !support[f].accepted; ++c) {
            if (SUCCEEDED(saver.CheckDeviceCaps(&kind.caps, choices[c], format))) {
                support[f].accepted = true;
                support[f].behaviour = choices[c];
            }
        }
        if (support[f].accepted && saver.multithreaded) {
            support[f].behaviour |= D3DCREATE_MULTITHREADED;
        }
        if (support[f].accepted && saver.useDepthBuffer &&
            !saver.FindDepthStencilFormat(a, type, format, &support[f].depthStencilFormat)) {
            support[f].accepted = false;
        }
    }

    for (DWORD m = 0; m < list.modeCount && kind.modeCount < MaxModesPerKind; ++m) {
        const DisplayMode& mode = list.modes[m];
        for (DWORD f = 0; f < list.formatCount; ++f) {
            if (list.formats[f] == mode.format && support[f].accepted) {
                kind.modes[kind.modeCount++] =
                    ModeRecord{mode.width, mode.height, static_cast<D3DFORMAT>(mode.format),
                               support[f].behaviour, support[f].depthStencilFormat};
                break;
            }
        }
    }
    DisplayMode kept[MaxModesPerKind];
    kind.currentMode = DefaultModeIndex(kept, DisplayModesOf(kind, kept));

    if (support[0].accepted && (kind.caps.Caps2 & D3DCAPS2_CANRENDERWINDOWED)) {
        kind.canRenderWindowed = TRUE;
        kind.windowedDefault = TRUE;
    }
    if (kind.modeCount > 0) {
        ++adapter.deviceKindCount;
        if (type == D3DDEVTYPE_SW) {
            adapter.hasUsableSoftware = TRUE;
        } else if (type == D3DDEVTYPE_HAL) {
            adapter.hasUsableHardware = TRUE;
        }
    }
}

// The adapter's distinct modes, sorted, and whether its mode list reports the desktop's
// refresh rate for the desktop's own mode.
void GatherModes(IDirect3D8& direct3d, UINT a, AdapterRecord& adapter, DisplayModeList& list) {
    const D3DDISPLAYMODE& desktop = adapter.desktopMode;
    adapter.desktopRefreshRate = 0;
    const UINT modeCount = direct3d.GetAdapterModeCount(a);
    for (UINT j = 0; j < modeCount; ++j) {
        D3DDISPLAYMODE mode = {};
        if (FAILED(direct3d.EnumAdapterModes(a, j, &mode))) {
            continue;
        }
        list.Add(DisplayModeOf(mode));
        if (mode.Width == desktop.Width && mode.Height == desktop.Height && mode.Format == desktop.Format &&
            mode.RefreshRate == desktop.RefreshRate) {
            adapter.desktopRefreshRate = mode.RefreshRate;
        }
    }
    list.Sort();
}

}  // namespace

IDirect3D8* SaverBase::CreateDirect3D() {
    return LoadDirect3D8(Direct3DSdkVersion);
}

HRESULT SaverBase::StartDirect3D() {
    direct3d = CreateDirect3D();
    if (direct3d == nullptr) {
        return ErrNoDirect3D;
    }
    HRESULT hr = RegisterSoftwareRenderer();
    if (FAILED(hr)) {
        return hr;
    }
    hr = EnumerateDevices();
    if (FAILED(hr)) {
        return hr;
    }
    return HasUsableKind(*this) ? S_OK : ErrNoCompatibleDevices;
}

HRESULT SaverBase::EnumerateDevices() {
    UINT count = direct3d->GetAdapterCount();
    if (count > MaxDisplays) {
        count = MaxDisplays;
    }
    adapterCount = 0;
    for (UINT a = 0; a < count; ++a) {
        if (adapters[a] == nullptr) {
            adapters[a] = new (std::nothrow) AdapterRecord();
            if (adapters[a] == nullptr) {
                return E_OUTOFMEMORY;
            }
        }
        AdapterRecord& adapter = *adapters[a];
        direct3d->GetAdapterIdentifier(a, D3DENUM_NO_WHQL_LEVEL, &adapter.identifier);
        TerminateIdentifierTexts(adapter.identifier);
        direct3d->GetAdapterDisplayMode(a, &adapter.desktopMode);
        adapter.deviceKindCount = 0;
        adapter.currentKind = 0;
        adapter.leaveBlack = FALSE;
        adapter.monitorIndex = NoAdapter;

        const HMONITOR monitor = direct3d->GetAdapterMonitor(a);
        for (DWORD i = 0; monitor != nullptr && i < monitorCount; ++i) {
            if (monitors[i].monitorHandle == monitor) {
                monitors[i].adapterIndex = a;
                adapter.monitorIndex = i;
                break;
            }
        }

        DisplayModeList list(static_cast<uint32_t>(adapter.desktopMode.Format));
        list.Keep(DisplayModeOf(adapter.desktopMode));
        DisplayMode stored = {};
        if (StoredScreenMode(adapter.monitorIndex, adapter, &stored)) {
            list.Keep(stored);
        }
        GatherModes(*direct3d, a, adapter, list);

        for (const D3DDEVTYPE type : probedTypes) {
            if (type == D3DDEVTYPE_REF && !allowReference) {
                continue;
            }
            EnumerateDeviceKind(*this, a, type, list);
        }
        ++adapterCount;
    }
    return S_OK;
}

BOOL SaverBase::FindDepthStencilFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT format,
                                       D3DFORMAT* depthStencilFormat) {
    uint32_t candidates[MaxDepthStencilCandidates];
    const uint32_t count = DepthStencilCandidates(minDepthBits, minStencilBits, candidates);
    for (uint32_t i = 0; i < count; ++i) {
        const D3DFORMAT candidate = static_cast<D3DFORMAT>(candidates[i]);
        if (SUCCEEDED(direct3d->CheckDeviceFormat(adapter, type, format, D3DUSAGE_DEPTHSTENCIL,
                                                  D3DRTYPE_SURFACE, candidate)) &&
            SUCCEEDED(direct3d->CheckDepthStencilMatch(adapter, type, format, format, candidate))) {
            *depthStencilFormat = candidate;
            return TRUE;
        }
    }
    return FALSE;
}
