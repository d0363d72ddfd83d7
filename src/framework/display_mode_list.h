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
constexpr uint32_t MaxKeptModes = 2;

// The distinct modes and display formats of one adapter, gathered from its mode list.
// Modes smaller than 640 x 400 are left out; beyond 100 modes or 20 formats further
// ones are ignored, except the modes to keep. The first format is always the desktop's.
class DisplayModeList {
public:
    explicit DisplayModeList(uint32_t desktopFormat);

    // A mode that must survive the bounds whenever the adapter reports it: the desktop's
    // own, and the one stored for the screen (a driver may list hundreds, and the first
    // hundred need not hold them). Once the list is full it takes the place of the last
    // mode not to keep, and its format that of the last format not needed by such a
    // mode. At most two; call before adding.
    void Keep(const DisplayMode& mode);

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
    bool IsKept(const DisplayMode& mode) const;
    bool IsKeptFormat(uint32_t format) const;
    void ReplaceLastModeNotKept(const DisplayMode& mode);
    void ReplaceLastFormatNotKept(uint32_t format);

    uint32_t keptCount_ = 0;
    DisplayMode kept_[MaxKeptModes] = {};
};
