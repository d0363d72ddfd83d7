#include "scene/scene_overlay_layout.h"

#include <cstdio>

#include "util/screen_dpi.h"

namespace {

constexpr uint32_t ShadowBlack = 0xFF000000;
constexpr uint32_t FrameRateYellow = 0xC8FFFF00;
constexpr uint32_t TitleGrey = 0xC8C8C8C8;

// The shadow's offset: one pixel at 96 dpi, and never less.
float ShadowOffset(uint32_t dpi) {
    return ScaledPixels(1.0f, dpi, 1.0f);
}

}  // namespace

std::array<ScreenText, InfoPanelTextCount> InfoPanelTexts(const char (&lines)[InfoLineCount][InfoLineSize],
                                                          int alpha, uint8_t red, uint8_t green, uint8_t blue,
                                                          int screenWidth, int screenHeight, uint32_t dpi) {
    const uint32_t shadow = static_cast<uint32_t>(alpha & 0xFF) << 24;
    const uint32_t colour = shadow | (uint32_t{red} << 16) | (uint32_t{green} << 8) | uint32_t{blue};
    const float x = 0.02f * static_cast<float>(screenWidth);
    const float bottom = 0.95f * static_cast<float>(screenHeight);
    const float spacing = ScaledPixels(InfoLineSpacing, dpi);
    const float offset = ShadowOffset(dpi);
    std::array<ScreenText, InfoPanelTextCount> texts{};
    int k = 0;
    for (int n = InfoLineCount; n >= 1; --n) {
        // Panel line n (1 at the top, the planet's name) is stored at index n - 1.
        const float y = bottom - spacing * static_cast<float>(6 - n);
        const char* text = lines[n - 1];
        texts[k++] = ScreenText{x, y + offset, shadow, text};
        texts[k++] = ScreenText{x + offset, y, colour, text};
    }
    return texts;
}

std::array<ScreenText, FrameRateTextCount> FrameRateTexts(const char* text, uint32_t dpi) {
    const float x = ScaledPixels(2.0f, dpi);
    const float offset = ShadowOffset(dpi);
    return {ScreenText{x + offset, offset, ShadowBlack, text}, ScreenText{x, 0.0f, FrameRateYellow, text}};
}

std::array<ScreenText, PreviewTitleTextCount> PreviewTitleTexts(int screenWidth, int screenHeight,
                                                                uint32_t dpi) {
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);
    const float offset = ShadowOffset(dpi);
    return {ScreenText{0.17f * w, 0.3f * h + offset, ShadowBlack, "NEBULART"},
            ScreenText{0.17f * w + offset, 0.3f * h, TitleGrey, "NEBULART"},
            ScreenText{0.11f * w, 0.55f * h + offset, ShadowBlack, "CELESTRA"},
            ScreenText{0.11f * w + offset, 0.55f * h, TitleGrey, "CELESTRA"}};
}

bool SkyDateTexts(const char* text, float textWidth, uint8_t red, uint8_t green, uint8_t blue,
                  int screenWidth, uint32_t dpi, std::array<ScreenText, SkyDateTextCount>& texts) {
    const float w = static_cast<float>(screenWidth);
    if (!(textWidth > 0.0f) || textWidth > 0.6f * w) {
        return false;
    }
    const uint32_t colour = 0xFF000000u | (uint32_t{red} << 16) | (uint32_t{green} << 8) | uint32_t{blue};
    const float x = 0.98f * w - textWidth;
    const float offset = ShadowOffset(dpi);
    texts = {ScreenText{x + offset, offset, ShadowBlack, text}, ScreenText{x, 0.0f, colour, text}};
    return true;
}

void FormatFrameRate(char* text, std::size_t size, float framesPerSecond) {
    if (text == nullptr || size == 0) {
        return;
    }
    std::snprintf(text, size, "%.02f fps", static_cast<double>(framesPerSecond));
}
