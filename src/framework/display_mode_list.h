#pragma once

#include <cstdint>

// A full-screen display mode as an adapter reports it; the refresh rate is not kept.
struct DisplayMode {
    uint32_t width;
    uint32_t height;
    uint32_t format;  // D3DFORMAT value
};

constexpr uint32_t MaxListedModes = 100;
constexpr uint32_t MaxListedFormats = 20;
constexpr uint32_t MinModeWidth = 640;
constexpr uint32_t MinModeHeight = 400;

// The distinct modes and display formats of one adapter, gathered from its mode list.
// Modes smaller than 640 x 400 are left out; beyond 100 modes or 20 formats further
// ones are ignored. The first format is always the desktop's.
class DisplayModeList {
public:
    explicit DisplayModeList(uint32_t desktopFormat);

    void Add(const DisplayMode& mode);

    // Width ascending, then height ascending, then format value descending, so that at
    // equal size R5G6B5 (23) comes before X8R8G8B8 (22).
    void Sort();

    bool HasFormat(uint32_t format) const;

    uint32_t modeCount = 0;
    DisplayMode modes[MaxListedModes] = {};
    uint32_t formatCount = 0;
    uint32_t formats[MaxListedFormats] = {};

private:
    bool HasMode(const DisplayMode& mode) const;
};
