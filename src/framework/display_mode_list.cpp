#include "framework/display_mode_list.h"

#include <algorithm>

DisplayModeList::DisplayModeList(uint32_t desktopFormat) {
    formats[0] = desktopFormat;
    formatCount = 1;
}

bool DisplayModeList::HasMode(const DisplayMode& mode) const {
    for (uint32_t i = 0; i < modeCount; ++i) {
        if (modes[i].width == mode.width && modes[i].height == mode.height &&
            modes[i].format == mode.format) {
            return true;
        }
    }
    return false;
}

bool DisplayModeList::HasFormat(uint32_t format) const {
    for (uint32_t i = 0; i < formatCount; ++i) {
        if (formats[i] == format) {
            return true;
        }
    }
    return false;
}

void DisplayModeList::Add(const DisplayMode& mode) {
    if (mode.width < MinModeWidth || mode.height < MinModeHeight) {
        return;
    }
    if (modeCount < MaxListedModes && !HasMode(mode)) {
        modes[modeCount++] = mode;
    }
    if (formatCount < MaxListedFormats && !HasFormat(mode.format)) {
        formats[formatCount++] = mode.format;
    }
}

void DisplayModeList::Sort() {
    std::sort(modes, modes + modeCount, [](const DisplayMode& a, const DisplayMode& b) {
        if (a.width != b.width) {
            return a.width < b.width;
        }
        if (a.height != b.height) {
            return a.height < b.height;
        }
        return a.format > b.format;
    });
}
