#pragma once

#include <cstdint>
#include <functional>

// The names and distance labels stand in the scene, where they are drawn much larger
// than the screen texts; their font is rasterised as large as they can appear, and their
// world-space scale divided by the same factor, so that they stay sharp on large screens
// and keep their size on every screen.
//
// The font's size in points becomes pixels at the screen's DPI, while the names' size in
// the scene must not depend on it: the height is chosen for the pixels the glyphs need,
// and the scale follows the pixels that height gives at that DPI.

// The point height that the names' world-space scales were made for, at 96 dpi.
constexpr uint32_t NameFontBaseHeight = 12;

// Screen pixels that one texel of a name at NameFontBaseHeight covers at most on a
// screen `screenHeight` pixels tall, at 96 dpi. The largest name is the viewed planet's in
// the planet view: its texels are a twentieth of the planet's radius and the eye never
// comes nearer than six radii (the short half-axis of the camera's path), while the
// projection spans the screen's height with one world unit per unit of distance.
float NameTexelMagnification(uint32_t screenHeight);

// The point height for the names on screens up to `screenHeight` pixels tall at `dpi`:
// the height whose glyphs have the pixels of the base height times the magnification at
// 96 dpi, rounded, never below those of the base (nor above 16 times them); or, when
// `fits` says that the glyphs of that height do not fit the texture the device allows,
// the largest height between that does fit.
uint32_t ChooseNameFontHeight(uint32_t screenHeight, uint32_t dpi,
                              const std::function<bool(uint32_t height)>& fits);

// What the world-space scale of a name drawn at `height` points at `dpi` is divided by:
// its glyphs' size over that of the base height at 96 dpi.
float NameFontScale(uint32_t height, uint32_t dpi);
