#pragma once

// A settings key in memory filled from a fuzz input: record after record, a byte picks a
// value name of `names` (the registry stores every type as raw bytes, so the type is
// only the byte count), two bytes give a size of 0 to 600, then that many bytes follow.
// A later record of the same name replaces the earlier one.

#include <cstddef>
#include <cstdint>

#include "fuzz_bytes.h"
#include "support/memory_settings_key.h"

constexpr uint32_t MaxFuzzedValueSize = 600;

template <std::size_t N>
void FillSettingsKey(FuzzBytes& input, const char* const (&names)[N], MemorySettingsKey& key) {
    while (!input.Empty()) {
        const char* name = names[input.Byte() % N];
        const uint32_t size = input.Number(2) % (MaxFuzzedValueSize + 1);
        key.SetBytes(name, input.Run(size));
    }
}
