#pragma once

#include <cstddef>
#include <cstdint>

// Writes the description of a screen device into `text` (at most `size` bytes, always
// terminated): the device type, its vertex processing and, for a HAL, ": " and the
// adapter's name, cut to fit. For example "HAL (hw vp): Some Graphics Card".
//
// The adapter's name comes from the driver in a fixed field that need not be
// terminated, so at most `descriptionCapacity` characters of it are read.
void DescribeScreenDevice(char* text, std::size_t size, uint32_t deviceType, uint32_t behaviour,
                          const char* adapterDescription, std::size_t descriptionCapacity);
