#include "scene/orrery_scene.h"

#include <algorithm>
#include <cstring>

#include "util/copy_string_bounded.h"

namespace {

constexpr float BlankSeconds = 5.0f;  // nothing is shown at the start of a cycle
constexpr double CharactersPerSecond = 10.0;
constexpr uint32_t FadeStart = 300;  // characters; the fade ends 200 later
constexpr uint32_t CycleEnd = 530;   // characters; 5 s + 53 s make a 58 s cycle
constexpr int FullAlpha = 200;

// The first `count` characters of `text` followed by the typing cursor.
void WriteTypedLine(char (&line)[InfoLineSize], const char* text, uint32_t count) {
    const size_t kept = std::min<size_t>(count, InfoLineSize - 2);  // room for cursor and terminator
    std::memcpy(line, text, kept);
    line[kept] = '_';
    line[kept + 1] = '\0';
}

}  // namespace

// The typewriter of the information panel: ten characters a second after five blank
// seconds, fading out from character 300, restarting after character 530.
void OrreryScene::InfoTicker(double time) {
    infoPhaseTime = static_cast<float>(time - infoCycleStart);
    if (infoPhaseTime <= BlankSeconds) {
        return;
    }
    const uint32_t previous = infoCharsShown;
    // Bounded before the conversion; a cycle never gets near the bound.
    const double typed = std::min((infoPhaseTime - 5.0) * CharactersPerSecond, 1.0e6);
    infoCharsShown = static_cast<uint32_t>(static_cast<int>(typed));
    if (infoCharsShown == previous) {
        return;
    }
    RevealInfoLines(infoCharsShown);
    if (infoCharsShown > FadeStart) {
        const int64_t alpha = FullAlpha - (static_cast<int64_t>(infoCharsShown) - FadeStart);
        infoTextAlpha = static_cast<int>(std::max<int64_t>(alpha, 0));
    }
    if (infoCharsShown > CycleEnd) {
        RestartInfoCycle(time);
    }
}

void OrreryScene::RevealInfoLines(uint32_t shown) {
    const PlanetRecord& body = bodies[ViewedPlanet()];
    uint32_t before = 0;  // characters of the lines above the current one
    bool typing = false;  // a line above already holds the cursor
    for (int line = 0; line < InfoLineCount; ++line) {
        const char* text = body.infoText[line];
        const uint32_t length = static_cast<uint32_t>(strnlen(text, InfoLineSize));
        if (typing) {
            infoLines[line][0] = '\0';
        } else if (shown <= before + length) {
            if (line == 0) {
                infoTextAlpha = FullAlpha;  // a new cycle's text appears
            }
            WriteTypedLine(infoLines[line], text, shown - before);
            typing = true;
        } else {
            CopyStringBounded(infoLines[line], text);
        }
        before += length;
    }
}

void OrreryScene::RestartInfoCycle(double time) {
    infoCycleStart = time;
    infoCharsShown = 0;
    for (auto& line : infoLines) {
        CopyStringBounded(line, " ");
    }
}
