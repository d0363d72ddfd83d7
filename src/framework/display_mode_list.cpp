#include "framework/display_mode_list.h"

#include <algorithm>

namespace {

bool SameMode(const DisplayMode& a, const DisplayMode& b) {
    return a.width == b.width && a.height == b.height && a.format == b.format;
}

}  // namespace

DisplayModeList::DisplayModeList(uint32_t desktopFormat) {
    formats[0] = desktopFormat;
    formatCount = 1;
}

bool DisplayModeList::HasMode(const DisplayMode& mode) const {
    for (uint32_t i = 0; i < modeCount; ++i) {
        if (SameMode(modes[i], mode)) {
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

void DisplayModeList::Keep(const DisplayMode& mode) {
    if (keptCount_ < MaxKeptModes) {
        kept_[keptCount_++] = mode;
    }
}

bool DisplayModeList::IsKept(const DisplayMode& mode) const {
    for (uint32_t i = 0; i < keptCount_; ++i) {
        if (SameMode(kept_[i], mode)) {
            return true;
        }
    }
    return false;
}

bool DisplayModeList::IsKeptFormat(uint32_t format) const {
    for (uint32_t i = 0; i < keptCount_; ++i) {
        if (kept_[i].format == format) {
            return true;
        }
    }
    return format == formats[0];
}

// The last mode (or format) not to keep gives way; the desktop format, first, never does.
void DisplayModeList::ReplaceLastModeNotKept(const DisplayMode& mode) {
    for (uint32_t i = modeCount; i > 0; --i) {
        if (!IsKept(modes[i - 1])) {
            modes[i - 1] = mode;
            return;
        }
    }
}

void DisplayModeList::ReplaceLastFormatNotKept(uint32_t format) {
    for (uint32_t i = formatCount; i > 1; --i) {
        if (!IsKeptFormat(formats[i - 1])) {
            formats[i - 1] = format;
            return;
        }
    }
}

void DisplayModeList::Add(const DisplayMode& mode) {
    if (mode.width < MinModeWidth || mode.height < MinModeHeight) {
        return;
    }
    const bool kept = IsKept(mode);
    if (!HasMode(mode)) {
        if (modeCount < MaxListedModes) {
            modes[modeCount++] = mode;
        } else if (kept) {
            ReplaceLastModeNotKept(mode);
        }
    }
    if (!HasFormat(mode.format)) {
        if (formatCount < MaxListedFormats) {
            formats[formatCount++] = mode.format;
        } else if (kept) {
            ReplaceLastFormatNotKept(mode.format);
        }
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
