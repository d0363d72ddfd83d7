#include <algorithm>
#include <cmath>

#include "scene/scene_overlay_layout.h"
#include "scene/still_text_drift.h"
#include "scene/win32/sky_date_text.h"
#include "scene/win32/orrery_saver.h"
#include "text/font_flags.h"
#include "text/win32/texture_font.h"

// The texts of a frame. A font that could not be made (none after a failed preparation)
// leaves its texts out.

namespace {

constexpr uint32_t SceneTextFlags = TextCentered | TextFiltered;
constexpr uint32_t TitleFlags = TextCentered;  // DrawText only acts on TextFiltered

}  // namespace

TextOffset OrrerySaver::StillTextOffset(float left, float top) const {
    return KeepOnScreen(StillTextDrift(millisecondClock(), screenIndex_, screenDpi), left, top);
}

// Each group moves as one, its shadows with it.
template <std::size_t N>
void OrrerySaver::DrawStillTexts(TextureFont* font, const std::array<ScreenText, N>& texts, uint32_t flags) {
    if (font == nullptr || N == 0) {
        return;
    }
    float left = texts[0].x;
    float top = texts[0].y;
    for (const ScreenText& text : texts) {
        left = std::min(left, text.x);
        top = std::min(top, text.y);
    }
    const TextOffset offset = StillTextOffset(left, top);
    font->BeginBatch();
    for (const ScreenText& text : texts) {
        font->DrawText(text.x + offset.x, text.y + offset.y, text.colour, text.text, flags);
    }
    font->EndBatch();
}

// No material or colour is set: with lighting off and no vertex colour the glyphs show
// white, shaped by their alpha.
void OrrerySaver::DrawBodyNames() {
    TextureFont* font = currentDevice->nameFont;
    if (font == nullptr) {
        return;
    }
    font->BeginBatch();
    for (int i = 0; i < BodyCount; ++i) {
        if (bodies[i].visible == 0) {
            continue;
        }
        const D3DXMATRIX world = BodyNameMatrix(i, currentDevice->nameFontScale);
        activeDevice->SetTransform(D3DTS_WORLD, &world);
        font->Render3DText(bodies[i].name, SceneTextFlags);
    }
    font->EndBatch();
}

void OrrerySaver::DrawDistanceLabels() {
    TextureFont* font = currentDevice->nameFont;
    if (font == nullptr) {
        return;
    }
    font->BeginBatch();
    for (int i = 1; i < BodyCount; ++i) {
        if (bodies[i].visible == 0) {
            continue;
        }
        const D3DXMATRIX world = DistanceLabelMatrix(i, currentDevice->nameFontScale);
        activeDevice->SetTransform(D3DTS_WORLD, &world);
        font->Render3DText(bodies[i].distanceLabel, SceneTextFlags);
    }
    font->EndBatch();
}

void OrrerySaver::DrawInfoPanel() {
    DrawStillTexts(currentDevice->panelFont,
                   InfoPanelTexts(infoLines, infoTextAlpha, settings.redVal, settings.greenVal,
                                  settings.blueVal, screenWidth, screenHeight, screenDpi),
                   0);
}

void OrrerySaver::DrawFrameRate() {
    FormatFrameRate(frameRateText, sizeof(frameRateText), framesPerSecond);
    DrawStillTexts(currentDevice->labelFont, FrameRateTexts(frameRateText, screenDpi), 0);
}

void OrrerySaver::DrawPreviewTitles() {
    DrawStillTexts(currentDevice->titleFont, PreviewTitleTexts(screenWidth, screenHeight, screenDpi),
                   TitleFlags);
}

// The simulated date of today's sky at the top right, in the long form where it fits and
// else the short one; in a preview with the titles' smaller font.
void OrrerySaver::DrawSkyDate() {
    TextureFont* font = mode == Preview ? currentDevice->titleFont : currentDevice->panelFont;
    if (font == nullptr || !skyStarted) {
        return;
    }
    const double minute = std::floor(sky.Day() * 1440.0);
    if (minute != skyDateMinute_) {
        const bool withTime = ShowsTimeOfDay(settings.timeSpeed);
        for (int form = 0; form < 2; ++form) {
            FormatSkyDate(sky.Day(), form == 0, withTime, skyDateForms_[form], sizeof(skyDateForms_[form]));
        }
        skyDateMinute_ = minute;
    }
    for (const char* text : skyDateForms_) {
        SIZE size = {};
        std::array<ScreenText, SkyDateTextCount> texts;
        if (text[0] != '\0' && SUCCEEDED(font->GetTextExtent(text, &size)) &&
            SkyDateTexts(text, static_cast<float>(size.cx), settings.redVal, settings.greenVal,
                         settings.blueVal, screenWidth, screenDpi, texts)) {
            DrawStillTexts(font, texts, 0);
            return;
        }
    }
}
