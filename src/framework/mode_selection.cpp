#include "framework/mode_selection.h"

#include "framework/d3d_codes.h"

namespace {

bool IsFiveOrSixBitFormat(uint32_t format) {
    return format == FormatR5G6B5 || format == FormatX1R5G5B5 || format == FormatA1R5G5B5;
}

uint32_t Area(const DisplayMode& mode) {
    return mode.width * mode.height;
}

}  // namespace

uint32_t DefaultModeIndex(const DisplayMode* modes, uint32_t count) {
    uint32_t last640By480 = NoModeIndex;
    for (uint32_t i = 0; i < count; ++i) {
        if (modes[i].width != 640 || modes[i].height != 480) {
            continue;
        }
        if (IsFiveOrSixBitFormat(modes[i].format)) {
            return i;
        }
        last640By480 = i;
    }
    return (last640By480 != NoModeIndex) ? last640By480 : 0;
}

uint32_t DesktopSizeModeIndex(const DisplayMode* modes, uint32_t count, uint32_t desktopWidth,
                              uint32_t desktopHeight) {
    uint32_t chosen = 0;
    bool found = false;
    for (uint32_t i = 0; i < count; ++i) {
        if (modes[i].width != desktopWidth || modes[i].height != desktopHeight) {
            continue;
        }
        if (Is32BitFormat(modes[i].format)) {
            return i;
        }
        if (!found) {
            chosen = i;
            found = true;
        }
    }
    return chosen;
}

uint32_t SoftwareAutomaticModeIndex(const DisplayMode* modes, uint32_t count) {
    uint32_t chosen = NoModeIndex;
    for (uint32_t i = 0; i < count; ++i) {
        if (modes[i].height == 400) {
            continue;
        }
        if (chosen == NoModeIndex || modes[i].height < modes[chosen].height) {
            chosen = i;
        } else if (modes[i].height == modes[chosen].height && !Is16BitFormat(modes[chosen].format)) {
            chosen = i;
        }
    }
    return (chosen != NoModeIndex) ? chosen : 0;
}

uint32_t PreferredModeIndex(const DisplayMode* modes, uint32_t count, uint32_t width, uint32_t height,
                            uint32_t format) {
    for (uint32_t i = 0; i < count; ++i) {
        if (modes[i].width == width && modes[i].height == height && modes[i].format == format) {
            return i;
        }
    }
    return NoModeIndex;
}

uint32_t ChooseFullScreenModeIndex(uint32_t deviceType, const DisplayMode* modes, uint32_t count,
                                   const ModePreference& preference) {
    if (preference.useDesktopSettings) {
        return DesktopSizeModeIndex(modes, count, preference.desktopWidth, preference.desktopHeight);
    }
    if (preference.width != 0) {
        const uint32_t preferred =
            PreferredModeIndex(modes, count, preference.width, preference.height, preference.format);
        if (preferred != NoModeIndex) {
            return preferred;
        }
    }
    if (deviceType == DeviceTypeSw) {
        return SoftwareAutomaticModeIndex(modes, count);
    }
    return DesktopSizeModeIndex(modes, count, preference.desktopWidth, preference.desktopHeight);
}

bool StepDownModeIndex(const DisplayMode* modes, uint32_t count, uint32_t* current) {
    if (*current >= count) {
        return false;
    }
    const DisplayMode& refused = modes[*current];
    if (Is32BitFormat(refused.format)) {
        for (uint32_t i = 0; i < count; ++i) {
            if (i != *current && modes[i].width == refused.width && modes[i].height == refused.height &&
                !Is32BitFormat(modes[i].format)) {
                *current = i;
                return true;
            }
        }
    }

    uint32_t best = NoModeIndex;
    uint32_t bestArea = 0;
    bool bestIs32Bit = false;
    for (uint32_t i = 0; i < count; ++i) {
        if (i == *current || Area(modes[i]) >= Area(refused)) {
            continue;
        }
        const uint32_t area = Area(modes[i]);
        const bool is32Bit = Is32BitFormat(modes[i].format);
        if ((!bestIs32Bit || area >= bestArea) && (area > bestArea || (!bestIs32Bit && is32Bit))) {
            best = i;
            bestArea = area;
            bestIs32Bit = is32Bit;
        }
    }
    if (best == NoModeIndex) {
        return false;
    }
    *current = best;
    return true;
}

uint32_t FullScreenRefreshRate(const DisplayMode& mode, const DisplayMode& desktop,
                               uint32_t desktopRefreshRate) {
    const bool desktopsOwn =
        mode.width == desktop.width && mode.height == desktop.height && mode.format == desktop.format;
    return desktopsOwn ? desktopRefreshRate : 0;
}
