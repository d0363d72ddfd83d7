#include "framework/display_settings_model.h"

#include <cstdio>

#include "resource_ids.h"

namespace {

// D3DFORMAT values of the formats shown as 32-bit colour.
constexpr uint32_t FormatR8G8B8 = 20;
constexpr uint32_t FormatA8R8G8B8 = 21;
constexpr uint32_t FormatX8R8G8B8 = 22;

bool CanUseHardware(const AdapterAbilities& adapter) {
    return adapter.present && adapter.hasUsableHardware && !adapter.disableHardware;
}

bool CanUseSoftware(const AdapterAbilities& adapter) {
    return adapter.present && adapter.hasUsableSoftware;
}

bool SameMode(const DisplayModeChoice& a, const DisplayModeChoice& b) {
    return a.width == b.width && a.height == b.height && a.format == b.format;
}

// Appends `text` to `out` (which holds `*used` characters) while it fits.
void Append(char* out, std::size_t size, std::size_t* used, const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length && *used + 1 < size; ++i) {
        out[(*used)++] = text[i];
    }
    out[*used] = '\0';
}

}  // namespace

int RenderingStatusTextId(const AdapterAbilities& adapter) {
    if (adapter.present && adapter.hasHardware && CanUseHardware(adapter)) {
        return IDS_CAN_USE_HARDWARE;
    }
    if (adapter.present && adapter.hasSoftware && CanUseSoftware(adapter)) {
        return IDS_CAN_USE_SOFTWARE;
    }
    return IDS_CANNOT_DISPLAY;
}

bool SaverCanUseMonitor(const AdapterAbilities& adapter) {
    return CanUseHardware(adapter) || CanUseSoftware(adapter);
}

bool ModeControlsEnabled(bool displayNothingChecked) {
    return !displayNothingChecked;
}

bool ModeListEnabled(bool displayNothingChecked, bool useDesktopChecked) {
    return !displayNothingChecked && !useDesktopChecked;
}

int ModeBitDepth(uint32_t format) {
    return (format == FormatR8G8B8 || format == FormatA8R8G8B8 || format == FormatX8R8G8B8) ? 32 : 16;
}

int ModeListItemFor(const DisplayModeChoice* modes, std::size_t modeCount, DisplayModeChoice preferred) {
    for (std::size_t i = 0; i < modeCount; ++i) {
        if (SameMode(modes[i], preferred)) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

bool PreferenceForItemData(const DisplayModeChoice* modes, std::size_t modeCount, long data,
                           DisplayModeChoice* preference) {
    if (data == AutomaticItemData) {
        *preference = DisplayModeChoice{0, 0, 0};
        return true;
    }
    if (data < 0 || static_cast<std::size_t>(data) >= modeCount) {
        return false;
    }
    *preference = modes[data];
    return true;
}

void FormatNumbers(char* out, std::size_t size, const char* pattern, const long* numbers, std::size_t count) {
    if (out == nullptr || size == 0) {
        return;
    }
    std::size_t used = 0;
    std::size_t next = 0;
    out[0] = '\0';
    for (const char* p = pattern; p != nullptr && *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == '%') {
            Append(out, size, &used, "%", 1);
            ++p;
        } else if (p[0] == '%' && p[1] == 'd' && next < count) {
            char number[24];
            const int length = std::snprintf(number, sizeof(number), "%ld", numbers[next++]);
            Append(out, size, &used, number, static_cast<std::size_t>(length));
            ++p;
        } else {
            Append(out, size, &used, p, 1);
        }
    }
}
