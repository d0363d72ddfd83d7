#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "scene/planet_record.h"

// Where and in which colours the screen-space texts of a frame go: the information
// panel, the frame rate and the preview's title lines. Each text is drawn with a black
// shadow one pixel off, so every entry comes as a shadow followed by its text.
//
// The layout was made for a screen of 96 dots per inch, whose fonts are rasterised at
// that DPI. On a screen of another DPI the glyphs grow with it, and so do the offsets and
// spacings here (rounded to whole pixels), so the texts keep their proportions; at 96 dpi
// every position is what it always was. Positions that are shares of the screen's size
// need no scaling.

struct ScreenText {
    float x;
    float y;
    uint32_t colour;  // ARGB
    const char* text;
};

constexpr int InfoPanelTextCount = 2 * InfoLineCount;
constexpr int FrameRateTextCount = 2;
constexpr int PreviewTitleTextCount = 4;
constexpr int SkyDateTextCount = 2;
constexpr float InfoLineSpacing = 25.0f;  // pixels between panel lines at 96 dpi

// Lines 5 to 1 of the panel (line 0, the name, is never shown) in that order, each as
// shadow and text, at 2 % of the width and ending one line spacing above 95 % of the
// height. The alpha (0..200 while typing) applies to shadow and text alike.
std::array<ScreenText, InfoPanelTextCount> InfoPanelTexts(const char (&lines)[InfoLineCount][InfoLineSize],
                                                          int alpha, uint8_t red, uint8_t green, uint8_t blue,
                                                          int screenWidth, int screenHeight, uint32_t dpi);

// Translucent yellow in the top-left corner over its shadow.
std::array<ScreenText, FrameRateTextCount> FrameRateTexts(const char* text, uint32_t dpi);

// "NEBULART" and "CELESTRA" across the preview, each over its shadow.
std::array<ScreenText, PreviewTitleTextCount> PreviewTitleTexts(int screenWidth, int screenHeight,
                                                                uint32_t dpi);

// The date of today's sky, `textWidth` pixels wide, in the text colour over its shadow,
// at the top of the screen and 2 % of its width from the right edge. It keeps to the
// right 60 % of the width, clear of the frame rate: false, with `texts` untouched, where
// it does not fit.
bool SkyDateTexts(const char* text, float textWidth, uint8_t red, uint8_t green, uint8_t blue,
                  int screenWidth, uint32_t dpi, std::array<ScreenText, SkyDateTextCount>& texts);

// "%.02f fps" within `size` bytes, always terminated: a rate of any size is cut rather
// than written past the end.
void FormatFrameRate(char* text, std::size_t size, float framesPerSecond);
