#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/orrery_settings.h"

// How settings values travel through the registry: every number is a 4-byte
// little-endian DWORD, on/off switches and colour parts keep only their lowest byte,
// the camera speed is stored as an index, and paths are terminated ANSI strings.

// A value's field as it is stored, and a stored number into its field: a number clamped
// into its range, a byte from the lowest byte, the camera speed from its index.
uint32_t StoredNumber(const StoredSetting& setting, const OrrerySettings& settings, uint8_t desktop);
void TakeStoredNumber(const StoredSetting& setting, uint32_t stored, OrrerySettings& settings,
                      uint8_t& desktop);

constexpr uint32_t MaxCameraSpeedIndex = 5;

// Index 0..5 <-> 7.0..2.0. Indices above 5, compared unsigned, read as 5.
float CameraSpeedFromIndex(uint32_t index);
// The index of the nearest table entry; values outside the table map to its ends.
uint32_t CameraSpeedToIndex(float speed);

// Decodes a stored text value into a field of `fieldSize` bytes. Data that does not fit
// with its terminator, or has no terminator within its size, is not a usable path: the
// field then receives the unset path " ". Returns false in that case.
bool DecodeStoredText(const void* data, std::size_t size, char* field, std::size_t fieldSize);
