#pragma once

#include <cstddef>
#include <cstdint>

// What the Display Settings dialog shows for one monitor, apart from the windows: the
// rendering status text, whether the saver can use the monitor at all, the texts and the
// selection of the mode list, and the formatting of the dialog's text templates.

// What the page's adapter can do; a monitor without an adapter has nothing.
struct AdapterAbilities {
    bool present;
    bool hasHardware;
    bool hasUsableHardware;
    bool hasSoftware;
    bool hasUsableSoftware;
    bool disableHardware;
};

// String-table id of the text after "Rendering:".
int RenderingStatusTextId(const AdapterAbilities& adapter);

// The monitor-usage radios are offered only when the saver can draw there.
bool SaverCanUseMonitor(const AdapterAbilities& adapter);

// The mode controls serve only a monitor that shows the saver, and the mode list gives
// way to "Use Desktop Settings" while that is checked.
bool ModeControlsEnabled(bool displayNothingChecked);
bool ModeListEnabled(bool displayNothingChecked, bool useDesktopChecked);

// A full-screen mode as the list shows and stores it.
struct DisplayModeChoice {
    uint32_t width;
    uint32_t height;
    uint32_t format;  // a D3DFORMAT value
};

// 32 for the 24- and 32-bit RGB formats, 16 for every other.
int ModeBitDepth(uint32_t format);

// Item data of the "Automatic" entry; mode entries carry their mode index.
constexpr long AutomaticItemData = -1;

// The list item to select for the stored preference: 1 + the index of the equal mode, or
// 0 ("Automatic") when none is equal.
int ModeListItemFor(const DisplayModeChoice* modes, std::size_t modeCount, DisplayModeChoice preferred);

// The preference an item's data stands for: all zero for "Automatic". False, with
// `preference` untouched, for data that names no mode.
bool PreferenceForItemData(const DisplayModeChoice* modes, std::size_t modeCount, long data,
                           DisplayModeChoice* preference);

// Formats a template taken from the dialog ("Monitor %d", "%d x %d, %d bit color"):
// each "%d" takes the next number, "%%" is a percent sign, anything else is copied. A
// "%d" without a number left is copied as it is. The result is cut to fit `size`.
void FormatNumbers(char* out, std::size_t size, const char* pattern, const long* numbers, std::size_t count);
