#pragma once

#include <cstdint>

// Every user option of the screensaver. Each field is named after its registry value
// ("Speed of Camera" is `speedOfCamera`); the "Desktop" flag lives with the framework
// as `useDesktopSettings`.

constexpr int SettingsPathSize = 260;  // ANSI path, terminator included

// An unset file path is stored and kept as one space, never as an empty string.
constexpr const char* UnsetPath = " ";

enum Arrangement : int32_t {
    ArrangementRealWithPeriods = 0,  // "real (with turn around time)"
    ArrangementRealTogether = 1,     // "real positions and size"
    ArrangementRelative = 2,         // "relative positions from Sun"
};

enum CameraMode : int32_t {
    CameraStatic = 0,
    CameraAround = 1,
    CameraElliptic = 2,
    CameraChaotic = 3,
    CameraPanoramic = 4,
    CameraPlanetView = 5,
};

struct OrrerySettings {
    char defaultAudio[SettingsPathSize];
    int32_t arrangement;
    int32_t cameraSettings;
    int32_t planetToView;
    uint8_t trajectories;
    uint8_t names;
    uint8_t fps;
    uint8_t distances;
    uint8_t ambient;
    uint8_t stars;
    uint8_t audio;
    uint8_t customAudio;
    uint8_t redVal;
    uint8_t greenVal;
    uint8_t blueVal;
    char audioPath[SettingsPathSize];
    float speedOfCamera;  // one of 7.0, 6.0 ... 2.0; larger is slower
};

// Assigns the defaults, leaving "Default Audio" and the informative-mode text colour alone.
void ApplyDefaultSettings(OrrerySettings& settings);

// The complete default record, colour and "Default Audio" included.
OrrerySettings DefaultSettings();

// The music file a run plays, when music is on: the chosen file when "Custom Audio" is on,
// else the user's own "Default Audio", else `installedAudio`, the machine-wide one the
// installer leaves for every user. An unset path is " ".
const char* MusicToPlay(const OrrerySettings& settings, const char* installedAudio);
