#pragma once

#include <windows.h>
#include <d3d8.h>

#include <cstdint>
#include <string>
#include <vector>

// The real Direct3D 8 object, from d3d8.dll loaded at run time as the saver loads it;
// null when there is none. The caller releases it.
IDirect3D8* CreateRealDirect3D();

// A windowed Direct3D 8 device of the given adapter on a small window of its own, for
// tests that need the real thing. The back buffer is lockable so that a test can read
// back what it drew.
class RealDevice {
public:
    explicit RealDevice(int width = 320, int height = 240, UINT adapter = D3DADAPTER_DEFAULT);
    ~RealDevice();
    RealDevice(const RealDevice&) = delete;
    RealDevice& operator=(const RealDevice&) = delete;

    // Empty when the device was made; otherwise what failed.
    const std::string& Error() const { return error_; }
    IDirect3DDevice8* Device() const { return device_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // The device's current reference count (read with AddRef and Release).
    ULONG References() const;

    // The back buffer as 0x00RRGGBB pixels, row by row; empty if it cannot be read.
    std::vector<uint32_t> ReadBackBuffer() const;

private:
    int width_;
    int height_;
    HWND window_ = nullptr;
    IDirect3D8* direct3d_ = nullptr;
    IDirect3DDevice8* device_ = nullptr;
    std::string error_;
};

// Writes 0x00RRGGBB pixels as a 24-bit BMP file, for looking at what a test drew.
bool SavePixelsAsBmp(const std::vector<uint32_t>& pixels, int width, int height, const char* path);
