#pragma once

#include <cstdint>

// Texts that stand still on the screen for hours (the information panel, the frame rate,
// the preview's titles) would burn into an OLED screen: they drift slowly instead, each
// screen on a path of its own, by whole pixels so that their glyphs stay sharp.

struct TextOffset {
    float x;
    float y;
};

// Half the box a still text drifts in, pixels at 96 dpi; it grows with the DPI.
constexpr float StillTextDriftPixels = 8.0f;

// Where the still texts of screen `screen` stand, against the places their layout gives
// them, at `milliseconds` of the system's millisecond clock: whole pixels, at most
// StillTextDriftPixels (scaled to `dpi`) either way on each axis, at most about one such
// pixel a minute on each. The path of each axis repeats a whole number of times in the
// clock's 2^32 ms, so it goes on without a jump when the clock wraps (after 49.7 days);
// as the clock runs on between runs, a run starts where the path happens to be. At
// clock 0 screen 0 stands at its places.
TextOffset StillTextDrift(uint32_t milliseconds, uint32_t screen, uint32_t dpi);

// `offset` for a group of texts whose top-left text corner is at (left, top), turned back
// at the screen's left and top edges as from a mirror, so the group never leaves the
// screen there and still never jumps.
TextOffset KeepOnScreen(TextOffset offset, float left, float top);
