#pragma once

#include <cstdint>

// The Direct3D 8 values that the portable device-selection rules compare against, so
// that the rules build and are tested without the Direct3D headers. The Windows layer
// checks them against d3d8.h at compile time.

// D3DFORMAT values.
constexpr uint32_t FormatA8R8G8B8 = 21;
constexpr uint32_t FormatX8R8G8B8 = 22;
constexpr uint32_t FormatR5G6B5 = 23;
constexpr uint32_t FormatX1R5G5B5 = 24;
constexpr uint32_t FormatA1R5G5B5 = 25;
constexpr uint32_t FormatA4R4G4B4 = 26;
constexpr uint32_t FormatX4R4G4B4 = 30;
constexpr uint32_t FormatD32 = 71;
constexpr uint32_t FormatD15S1 = 73;
constexpr uint32_t FormatD24S8 = 75;
constexpr uint32_t FormatD24X8 = 77;
constexpr uint32_t FormatD24X4S4 = 79;
constexpr uint32_t FormatD16 = 80;

// D3DDEVTYPE values.
constexpr uint32_t DeviceTypeHal = 1;
constexpr uint32_t DeviceTypeRef = 2;
constexpr uint32_t DeviceTypeSw = 3;

// D3DCREATE_ behaviour flags.
constexpr uint32_t CreateMultithreaded = 0x04;
constexpr uint32_t CreatePureDevice = 0x10;
constexpr uint32_t CreateSoftwareVertexProcessing = 0x20;
constexpr uint32_t CreateHardwareVertexProcessing = 0x40;
constexpr uint32_t CreateMixedVertexProcessing = 0x80;

// D3DDEVCAPS_ flags of D3DCAPS8.DevCaps.
constexpr uint32_t DevCapsHwTransformAndLight = 0x10000;
constexpr uint32_t DevCapsPureDevice = 0x100000;

inline bool Is32BitFormat(uint32_t format) {
    return format == FormatX8R8G8B8 || format == FormatA8R8G8B8;
}

inline bool Is16BitFormat(uint32_t format) {
    return format == FormatR5G6B5 || format == FormatX1R5G5B5 || format == FormatA1R5G5B5 ||
           format == FormatA4R4G4B4 || format == FormatX4R4G4B4;
}
