#include "framework/device_description.h"

#include "framework/d3d_codes.h"

namespace {

const char* TypeName(uint32_t deviceType) {
    switch (deviceType) {
        case DeviceTypeHal:
            return "HAL";
        case DeviceTypeRef:
            return "REF";
        default:
            return "SW";
    }
}

// Vertex processing as seen by the user; without a HAL the hardware kinds are emulated.
const char* VertexProcessingName(uint32_t deviceType, uint32_t behaviour) {
    const bool simulated = deviceType != DeviceTypeHal;
    if ((behaviour & CreateHardwareVertexProcessing) && (behaviour & CreatePureDevice)) {
        return simulated ? " (simulated pure hw vp)" : " (pure hw vp)";
    }
    if (behaviour & CreateHardwareVertexProcessing) {
        return simulated ? " (simulated hw vp)" : " (hw vp)";
    }
    if (behaviour & CreateMixedVertexProcessing) {
        return simulated ? " (simulated mixed vp)" : " (mixed vp)";
    }
    if (behaviour & CreateSoftwareVertexProcessing) {
        return " (sw vp)";
    }
    return "";
}

// Appends at most `limit` characters of `source` while room remains before the
// terminator; returns the new length.
std::size_t Append(char* text, std::size_t size, std::size_t length, const char* source, std::size_t limit) {
    for (std::size_t i = 0; i < limit && source[i] != '\0' && length + 1 < size; ++i) {
        text[length++] = source[i];
    }
    text[length] = '\0';
    return length;
}

}  // namespace

void DescribeScreenDevice(char* text, std::size_t size, uint32_t deviceType, uint32_t behaviour,
                          const char* adapterDescription, std::size_t descriptionCapacity) {
    if (text == nullptr || size == 0) {
        return;
    }
    const std::size_t unbounded = static_cast<std::size_t>(-1);
    std::size_t length = 0;
    text[0] = '\0';
    length = Append(text, size, length, TypeName(deviceType), unbounded);
    length = Append(text, size, length, VertexProcessingName(deviceType, behaviour), unbounded);
    if (deviceType == DeviceTypeHal && adapterDescription != nullptr) {
        length = Append(text, size, length, ": ", unbounded);
        Append(text, size, length, adapterDescription, descriptionCapacity);
    }
}
