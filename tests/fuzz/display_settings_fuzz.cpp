// Fuzz entry point of the Display Settings model: an invented adapter (its abilities and
// any mode list) and stored preferences for it. The page's list selects a real item, the
// item's data gives back the preference it shows, the full-screen mode chosen and every
// step down from it stay inside the list, and formatted texts stay inside their buffer.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/display_mode_list.h"
#include "framework/display_settings_model.h"
#include "framework/mode_selection.h"
#include "framework/screen_preferences.h"
#include "fuzzed_settings_key.h"

namespace {

const char* const ScreenNames[] = {"Adapter ID", "Leave Black", "Disable Hardware",
                                   "Width",      "Height",      "Format"};

// Formats often seen, and any other value now and then.
uint32_t FuzzedFormat(FuzzBytes& input) {
    static const uint32_t common[] = {20, 22, 23, 24, 25, 21, 26, 0};
    const uint8_t pick = input.Byte();
    return pick < 224 ? common[pick % 8] : input.Number(4);
}

DisplayMode FuzzedMode(FuzzBytes& input) {
    static const uint32_t widths[] = {320, 640, 800, 1024, 1280, 1600};
    static const uint32_t heights[] = {200, 400, 480, 600, 768, 1024, 1200};
    const uint8_t pick = input.Byte();
    if (pick >= 240) {
        return {input.Number(2), input.Number(2), FuzzedFormat(input)};
    }
    return {widths[pick % 6], heights[pick / 6 % 7], FuzzedFormat(input)};
}

void CheckFormatted(FuzzBytes& input) {
    const std::size_t size = input.Byte() % 40;
    const std::vector<uint8_t> pattern = input.Run(input.Byte() % 64);
    std::vector<char> text(pattern.begin(), pattern.end());
    text.push_back('\0');
    const long numbers[3] = {static_cast<long>(static_cast<int32_t>(input.Number(4))), -1, 2147483647L};
    std::vector<char> out(size + 1, '\x7F');  // one guard byte past the buffer
    FormatNumbers(out.data(), size, text.data(), numbers, input.Byte() % 4);
    if (out[size] != '\x7F' || (size > 0 && std::memchr(out.data(), '\0', size) == nullptr)) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzBytes input(data, size);
    const uint8_t bits = input.Byte();
    const AdapterAbilities abilities = {(bits & 1) != 0, (bits & 2) != 0,  (bits & 4) != 0,
                                        (bits & 8) != 0, (bits & 16) != 0, (bits & 32) != 0};
    const int status = RenderingStatusTextId(abilities);
    if (status <= 0 || (SaverCanUseMonitor(abilities) && !abilities.present)) {
        std::abort();
    }

    DisplayModeList list(FuzzedFormat(input));
    for (int count = input.Byte(); count > 0; --count) {
        list.Add(FuzzedMode(input));
    }
    list.Sort();
    if (list.modeCount > MaxListedModes || list.formatCount > MaxListedFormats) {
        std::abort();
    }
    CheckFormatted(input);

    ScreenPreferences stored = {};
    for (uint8_t& byte : stored.adapterId) {
        byte = input.Byte();
    }
    MemorySettingsKey key;
    FillSettingsKey(input, ScreenNames, key);
    ReadScreenPreferences(key, stored);

    // The list as the page shows it, and the item the stored preference selects.
    std::vector<DisplayModeChoice> choices;
    for (uint32_t i = 0; i < list.modeCount; ++i) {
        choices.push_back({list.modes[i].width, list.modes[i].height, list.modes[i].format});
    }
    const DisplayModeChoice preferred = {stored.preferredWidth, stored.preferredHeight,
                                         stored.preferredFormat};
    const int item = ModeListItemFor(choices.data(), choices.size(), preferred);
    if (item < 0 || static_cast<std::size_t>(item) > choices.size()) {
        std::abort();
    }
    DisplayModeChoice shown = {1, 1, 1};
    const long itemData = item == 0 ? AutomaticItemData : item - 1;
    if (!PreferenceForItemData(choices.data(), choices.size(), itemData, &shown) ||
        (item > 0 && std::memcmp(&shown, &preferred, sizeof(shown)) != 0)) {
        std::abort();
    }
    DisplayModeChoice untouched = shown;
    if (PreferenceForItemData(choices.data(), choices.size(), static_cast<long>(choices.size()),
                              &untouched) ||
        std::memcmp(&untouched, &shown, sizeof(shown)) != 0) {
        std::abort();  // data that names no mode changes nothing
    }

    // The full-screen mode of each kind of device, and every step down from it.
    if (list.modeCount > 0) {
        const ModePreference preference = {stored.preferredWidth,  stored.preferredHeight,
                                           stored.preferredFormat, (bits & 64) != 0,
                                           input.Number(2),        input.Number(2)};
        for (uint32_t deviceType = 1; deviceType <= 3; ++deviceType) {
            uint32_t current = ChooseFullScreenModeIndex(deviceType, list.modes, list.modeCount, preference);
            for (uint32_t steps = 0; current != NoModeIndex; ++steps) {
                if (current >= list.modeCount || steps > 2 * MaxListedModes) {
                    std::abort();  // outside the list, or stepping without end
                }
                if (!StepDownModeIndex(list.modes, list.modeCount, &current)) {
                    break;
                }
            }
        }
    }
    return 0;
}
