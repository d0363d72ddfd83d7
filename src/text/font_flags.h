#pragma once

#include <cstdint>

// Creation flags of a TextureFont.
constexpr uint32_t FontBold = 1;
constexpr uint32_t FontItalic = 2;
constexpr uint32_t FontZEnable = 4;
// The glyph texture gets a full chain of mipmaps, sampled between levels when drawn
// filtered: text seen much smaller than its glyphs (names far off in the scene) then
// keeps its shape instead of shimmering as it moves.
constexpr uint32_t FontMipmaps = 8;

// Drawing flags. DrawText acts on TextFiltered only; Render3DText acts on all three.
constexpr uint32_t TextCentered = 1;
constexpr uint32_t TextTwoSided = 2;
constexpr uint32_t TextFiltered = 4;
