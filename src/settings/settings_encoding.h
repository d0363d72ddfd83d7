#pragma once

#include <cstddef>
#include <cstdint>

// How settings values travel through the registry: every number is a 4-byte
// little-endian DWORD, on/off switches and colour parts keep only their lowest byte,
// the camera speed is stored as an index, and paths are terminated ANSI strings.

constexpr int32_t ClampSetting(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : (value > high ? high : value);
}

// On/off switches and colour components: only the lowest byte of the stored data counts.
constexpr uint8_t LowestByte(uint32_t stored) {
    return static_cast<uint8_t>(stored & 0xFF);
}

constexpr uint32_t MaxCameraSpeedIndex = 5;

// Index 0..5 <-> 7.0..2.0. Indices above 5, compared unsigned, read as 5.
float CameraSpeedFromIndex(uint32_t index);
// The index of the nearest table entry; values outside the table map to its ends.
uint32_t CameraSpeedToIndex(float speed);

// Decodes a stored text value into a field of `fieldSize` bytes. Data that does not fit
// with its terminator, or has no terminator within its size, is not a usable path: the
// field then receives the unset path " ". Returns false in that case.
bool DecodeStoredText(const void* data, std::size_t size, char* field, std::size_t fieldSize);
