#pragma once

#include <cstdint>

#include "framework/display_mode_list.h"

// Which full-screen mode a device kind uses. Every function takes the kind's usable
// modes in their sorted order and answers with an index into them.

constexpr uint32_t NoModeIndex = 0xFFFF;

// The mode a kind starts with after enumeration: the first 640 x 480 mode in a 16-bit
// format with five or six bits per colour, else the last 640 x 480 mode, else 0.
uint32_t DefaultModeIndex(const DisplayMode* modes, uint32_t count);

// The mode matching the desktop's size, preferring 32 bits per pixel; 0 when the
// desktop size is not offered.
uint32_t DesktopSizeModeIndex(const DisplayMode* modes, uint32_t count, uint32_t desktopWidth,
                              uint32_t desktopHeight);

// Software rendering is slow, so its automatic mode is the lowest one (never a 400-line
// mode), keeping 16 bits per pixel among modes of equal height; 0 when nothing fits.
uint32_t SoftwareAutomaticModeIndex(const DisplayMode* modes, uint32_t count);

// The exact preferred mode, or NoModeIndex when the kind does not offer it.
uint32_t PreferredModeIndex(const DisplayMode* modes, uint32_t count, uint32_t width, uint32_t height,
                            uint32_t format);

// What the user asked for on one screen.
struct ModePreference {
    uint32_t width;  // 0: automatic
    uint32_t height;
    uint32_t format;
    bool useDesktopSettings;
    uint32_t desktopWidth;
    uint32_t desktopHeight;
};

// The first mode a full-screen device of `deviceType` tries: the desktop size when the
// desktop settings are to be used, else the preferred mode, else the automatic rule
// (software: SoftwareAutomaticModeIndex; hardware and reference: the desktop size).
uint32_t ChooseFullScreenModeIndex(uint32_t deviceType, const DisplayMode* modes, uint32_t count,
                                   const ModePreference& preference);

// After a mode was refused: a 32-bit mode first drops to fewer bits at the same size;
// otherwise the largest smaller mode is next, 32-bit ones first among candidates that
// would replace a 16-bit choice. False, with `current` unchanged, when nothing is left.
bool StepDownModeIndex(const DisplayMode* modes, uint32_t count, uint32_t* current);

// The refresh rate a full-screen device asks for. In the desktop's own size and format it
// is the desktop's rate (0 when its mode list does not report it), so that the start and
// end of the saver change no mode and the frames keep the desktop's pace; a driver may
// answer 0, "the adapter's default", with 60 Hz. Any other mode asks for 0.
uint32_t FullScreenRefreshRate(const DisplayMode& mode, const DisplayMode& desktop,
                               uint32_t desktopRefreshRate);
