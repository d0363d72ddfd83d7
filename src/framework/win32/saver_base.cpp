#include "framework/win32/saver_base.h"

#include "framework/status_codes.h"
#include "util/copy_string_bounded.h"
#include "util/screen_dpi.h"

namespace {

SaverBase* theSaver = nullptr;

}  // namespace

SaverBase::SaverBase()
    : mode(Config),
      mainWindow(nullptr),
      parentWindow(nullptr),
      instance(nullptr),
      allScreensSame(FALSE),
      waitingForTimer(FALSE),
      mouseMoveCount(0),
      isWindows9x(FALSE),
      passwordLibrary(nullptr),
      verifyPassword(nullptr),
      checkingPassword(FALSE),
      windowed(FALSE),
      useDesktopSettings(0),
      errorMode(FALSE),
      errorCode(S_OK),
      errorText(),
      monitors(),
      monitorCount(0),
      screenDevices(),
      screenDeviceCount(0),
      adapters(),
      adapterCount(0),
      direct3d(nullptr),
      activeDevice(nullptr),
      renderTotal(),
      renderCurrent(),
      backBufferDesc(),
      screenDpi(DefaultDpi),
      windowTitle(),
      allowReference(FALSE),
      useDepthBuffer(TRUE),
      multithreaded(FALSE),
      oneScreenOnly(FALSE),
      registryPath(),
      minDepthBits(16),
      minStencilBits(0),
      fullScreenSwapEffect(D3DSWAPEFFECT_DISCARD),
      windowedSwapEffect(D3DSWAPEFFECT_COPY),
      time(0.0),
      elapsedTime(0.0f),
      framesPerSecond(0.0f),
      deviceStats(),
      frameStats() {
    CopyStringBounded(windowTitle, "Screen Saver");
    theSaver = this;
}

SaverBase::~SaverBase() {
    DeleteAdapterRecords();
    if (theSaver == this) {
        theSaver = nullptr;
    }
}

SaverBase* SaverBase::Instance() {
    return theSaver;
}

// Default behaviour of the application hooks: nothing to do, success.
void SaverBase::ShowSettingsDialog() {}
void SaverBase::LoadSettings() {}
void SaverBase::UseScreenDevice(UINT) {}
HRESULT SaverBase::RegisterSoftwareRenderer() {
    return S_OK;
}
HRESULT SaverBase::CheckDeviceCaps(const D3DCAPS8*, DWORD, D3DFORMAT) {
    return S_OK;
}
HRESULT SaverBase::CheckCreatedDevice(IDirect3DDevice8*) {
    return S_OK;
}
HRESULT SaverBase::InitOnce() {
    return S_OK;
}
HRESULT SaverBase::CreateDeviceObjects() {
    return S_OK;
}
HRESULT SaverBase::PrepareDeviceObjects() {
    return S_OK;
}
HRESULT SaverBase::AdvanceFrame() {
    return S_OK;
}
HRESULT SaverBase::RenderFrame() {
    return S_OK;
}
HRESULT SaverBase::ReleaseDeviceObjects() {
    return S_OK;
}
HRESULT SaverBase::DestroyDeviceObjects() {
    return S_OK;
}
HRESULT SaverBase::CleanupOnce() {
    return S_OK;
}

void SaverBase::DisplayTurnedOff() {}

void SaverBase::DisplayTurnedOn() {}

SaverMode SaverBase::ParseCommandLine(const char* commandLine) {
    const SaverCommandLine parsed = ParseSaverCommandLine(commandLine);
    parentWindow = reinterpret_cast<HWND>(static_cast<UINT_PTR>(parsed.windowNumber));
    return parsed.mode;
}

void SaverBase::EnterErrorMode(HRESULT code) {
    errorMode = TRUE;
    errorCode = code;
}

HRESULT SaverBase::Startup(HINSTANCE moduleInstance) {
    return StartupWithCommandLine(moduleInstance, GetCommandLineA());
}

HRESULT SaverBase::StartupWithCommandLine(HINSTANCE moduleInstance, const char* commandLine) {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE);
    instance = moduleInstance;
    mode = ParseCommandLine(commandLine);

    EnumerateMonitors();
    if (mode == Preview || mode == Full || mode == Test) {
        const HRESULT hr = CreateSaverWindows();
        if (FAILED(hr)) {
            EnterErrorMode(hr);
        }
        if (mode == Preview && mainWindow != nullptr) {
            WaitForPreviewDelay();
        }
    }
    if (StartupAbandoned()) {
        return S_OK;
    }

    const HRESULT hr = StartDirect3D();
    if (FAILED(hr)) {
        EnterErrorMode(hr);
        return S_OK;
    }
    LoadSettings();
    return S_OK;
}

int SaverBase::Run() {
    switch (mode) {
        case Config:
            if (errorMode) {
                ShowError(errorCode);
            } else {
                ShowSettingsDialog();
            }
            break;
        case Preview:
        case Full:
        case Test: {
            const HRESULT hr = RunSaver();
            if (FAILED(hr)) {
                ShowError(hr);
            }
            break;
        }
        case ChangePassword:
            ChangeSaverPassword();
            break;
    }
    DeleteAdapterRecords();
    if (direct3d != nullptr) {
        direct3d->Release();
        direct3d = nullptr;
    }
    return 0;
}

void SaverBase::DeleteAdapterRecords() {
    for (DWORD i = 0; i < MaxDisplays; ++i) {
        delete adapters[i];
        adapters[i] = nullptr;
    }
    adapterCount = 0;
}
