// Fuzz entry point of the per-screen settings: whatever a "Screen N" key holds, the
// choices read are either the stored ones of this adapter or the ones kept, and a stored
// "Adapter ID" of another adapter never brings that adapter's mode along.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "framework/screen_preferences.h"
#include "fuzzed_settings_key.h"

namespace {

const char* const ScreenNames[] = {"Adapter ID", "Leave Black", "Disable Hardware",
                                   "Width",      "Height",      "Format"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzBytes input(data, size);
    ScreenPreferences kept = {};
    for (uint8_t& byte : kept.adapterId) {
        byte = input.Byte();
    }
    kept.leaveBlack = 0;
    kept.disableHardware = 0;
    kept.preferredWidth = 0xAAAA;
    kept.preferredHeight = 0xBBBB;
    kept.preferredFormat = 0xCCCC;
    MemorySettingsKey key;
    FillSettingsKey(input, ScreenNames, key);

    ScreenPreferences read = kept;
    ReadScreenPreferences(key, read);
    if (std::memcmp(read.adapterId, kept.adapterId, sizeof(kept.adapterId)) != 0) {
        std::abort();  // the adapter's own identifier is never replaced
    }
    const auto stored = key.values.find("Adapter ID");
    const bool otherAdapter =
        stored != key.values.end() && stored->second.size() == sizeof(kept.adapterId) &&
        std::memcmp(stored->second.data(), kept.adapterId, sizeof(kept.adapterId)) != 0 &&
        std::count(stored->second.begin(), stored->second.end(), 0) != 16;
    if (otherAdapter &&
        (read.preferredWidth != kept.preferredWidth || read.preferredHeight != kept.preferredHeight ||
         read.preferredFormat != kept.preferredFormat || read.disableHardware != kept.disableHardware)) {
        std::abort();
    }

    // Written and read back for the same adapter, the choices come back unchanged.
    MemorySettingsKey copy;
    WriteScreenPreferences(copy, read);
    ScreenPreferences again = kept;
    ReadScreenPreferences(copy, again);
    if (std::memcmp(&again, &read, sizeof(read)) != 0) {
        std::abort();
    }
    return 0;
}
