#pragma once

#include <cstdint>

// A screen's dots per inch, as the system reports them for its monitor. The layout of
// every screen-space text was made at DefaultDpi (100 % scaling) and is scaled from it.
constexpr uint32_t DefaultDpi = 96;
// The range the system offers, 100 % to 500 % scaling, with room below for odd set-ups.
constexpr uint32_t SmallestDpi = 48;
constexpr uint32_t LargestDpi = 480;

// The DPI to use for a reported one: 0 (unknown, or the query failed) is DefaultDpi;
// values outside SmallestDpi..LargestDpi are brought to the nearer end.
uint32_t UsableDpi(uint32_t dpi);

// How much larger than at DefaultDpi things are drawn at `dpi` (1.0 at 96, 2.0 at 192).
float DpiScale(uint32_t dpi);

// `pixels` at DefaultDpi as whole pixels at `dpi`, never less than `least`: the offsets
// and spacings of the screen texts stay on whole pixels, where point-sampled glyphs are
// sharp.
float ScaledPixels(float pixels, uint32_t dpi, float least = 0.0f);
