#include "support/real_device.h"

#include <cstdio>
#include <type_traits>

namespace {

const char* const WindowClassName = "CelestraTestDeviceWindow";

HWND CreateTestWindow(int width, int height) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = WindowClassName;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowA(WindowClassName, "Celestra test device", WS_OVERLAPPEDWINDOW, 0, 0,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr) {
        ShowWindow(window, SW_SHOWNORMAL);
    }
    return window;
}

}  // namespace

IDirect3D8* CreateRealDirect3D() {
    static HMODULE library = LoadLibraryA("d3d8.dll");  // stays loaded, as in the saver
    using CreateFunction = IDirect3D8*(WINAPI*)(UINT);
    static_assert(std::is_same_v<CreateFunction, decltype(&::Direct3DCreate8)>,
                  "d3d8.h's calling convention");
    const auto create = library == nullptr ? nullptr
                                           : reinterpret_cast<CreateFunction>(reinterpret_cast<void (*)()>(
                                                 GetProcAddress(library, "Direct3DCreate8")));
    return create != nullptr ? create(D3D_SDK_VERSION) : nullptr;
}

RealDevice::RealDevice(int width, int height, UINT adapter) : width_(width), height_(height) {
    window_ = CreateTestWindow(width, height);
    if (window_ == nullptr) {
        error_ = "CreateWindow failed";
        return;
    }
    direct3d_ = CreateRealDirect3D();
    if (direct3d_ == nullptr) {
        error_ = "no Direct3D 8";
        return;
    }
    D3DDISPLAYMODE mode = {};
    direct3d_->GetAdapterDisplayMode(adapter, &mode);
    D3DPRESENT_PARAMETERS parameters = {};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_COPY;
    parameters.BackBufferWidth = width;
    parameters.BackBufferHeight = height;
    parameters.BackBufferFormat = mode.Format;
    parameters.BackBufferCount = 1;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D16;
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    parameters.hDeviceWindow = window_;
    const HRESULT hr = direct3d_->CreateDevice(adapter, D3DDEVTYPE_HAL, window_,
                                               D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_FPU_PRESERVE,
                                               &parameters, &device_);
    if (FAILED(hr)) {
        device_ = nullptr;
        char text[64];
        std::snprintf(text, sizeof text, "CreateDevice failed: 0x%08lX", static_cast<unsigned long>(hr));
        error_ = text;
    }
}

RealDevice::~RealDevice() {
    if (device_ != nullptr) {
        device_->Release();
        device_ = nullptr;
    }
    if (direct3d_ != nullptr) {
        direct3d_->Release();
        direct3d_ = nullptr;
    }
    if (window_ != nullptr) {
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

ULONG RealDevice::References() const {
    device_->AddRef();
    return device_->Release();
}

std::vector<uint32_t> RealDevice::ReadBackBuffer() const {
    std::vector<uint32_t> pixels;
    IDirect3DSurface8* surface = nullptr;
    if (FAILED(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) {
        return pixels;
    }
    D3DSURFACE_DESC desc = {};
    D3DLOCKED_RECT locked = {};
    surface->GetDesc(&desc);
    const bool fourBytes = desc.Format == D3DFMT_X8R8G8B8 || desc.Format == D3DFMT_A8R8G8B8;
    if (fourBytes && SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        pixels.resize(static_cast<size_t>(desc.Width) * desc.Height);
        for (UINT y = 0; y < desc.Height; ++y) {
            const auto* row =
                reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(locked.pBits) + y * locked.Pitch);
            for (UINT x = 0; x < desc.Width; ++x) {
                pixels[y * desc.Width + x] = row[x] & 0x00FFFFFF;
            }
        }
        surface->UnlockRect();
    }
    surface->Release();
    return pixels;
}

bool SavePixelsAsBmp(const std::vector<uint32_t>& pixels, int width, int height, const char* path) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER fileHeader = {};
    BITMAPINFOHEADER info = {};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof info;
    fileHeader.bfSize = fileHeader.bfOffBits + rowBytes * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::fwrite(&fileHeader, sizeof fileHeader, 1, file);
    std::fwrite(&info, sizeof info, 1, file);
    std::vector<unsigned char> row(rowBytes, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[y * width + x];
            row[x * 3] = p & 0xFF;
            row[x * 3 + 1] = (p >> 8) & 0xFF;
            row[x * 3 + 2] = (p >> 16) & 0xFF;
        }
        std::fwrite(row.data(), 1, row.size(), file);
    }
    return std::fclose(file) == 0;
}
