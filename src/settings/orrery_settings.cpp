#include "settings/orrery_settings.h"

#include "util/copy_string_bounded.h"

void ApplyDefaultSettings(OrrerySettings& settings) {
    settings.arrangement = ArrangementRelative;
    settings.cameraSettings = CameraElliptic;
    settings.planetToView = 2;  // Neptune
    settings.trajectories = 0;
    settings.names = 0;
    settings.fps = 0;
    settings.distances = 0;
    settings.ambient = 0;
    settings.stars = 0;
    settings.audio = 1;
    settings.customAudio = 0;
    CopyStringBounded(settings.audioPath, UnsetPath);
    settings.speedOfCamera = 4.0f;
}

namespace {

bool IsUnset(const char* path) {
    return path[0] == '\0' || (path[0] == ' ' && path[1] == '\0');
}

}  // namespace

const char* MusicToPlay(const OrrerySettings& settings, const char* installedAudio) {
    if (settings.customAudio) {
        return settings.audioPath;
    }
    return IsUnset(settings.defaultAudio) ? installedAudio : settings.defaultAudio;
}

OrrerySettings DefaultSettings() {
    OrrerySettings settings{};
    CopyStringBounded(settings.defaultAudio, UnsetPath);
    settings.redVal = 255;
    settings.greenVal = 255;
    settings.blueVal = 0;
    ApplyDefaultSettings(settings);
    return settings;
}
