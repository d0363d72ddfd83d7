#pragma once

#include <cstdint>

#include "resource_ids.h"

// Every user option of the screensaver, and the one table that says how each is stored,
// defaulted and shown. Each field is named after its registry value ("Speed of Camera" is
// `speedOfCamera`); the "Desktop" flag lives with the framework as `useDesktopSettings`.

constexpr int SettingsPathSize = 260;  // ANSI path, terminator included

// An unset file path is stored and kept as one space, never as an empty string.
constexpr const char* UnsetPath = " ";

enum Arrangement : int32_t {
    ArrangementRealWithPeriods = 0,  // "real (with turn around time)"
    ArrangementRealTogether = 1,     // "real positions and size"
    ArrangementRelative = 2,         // "relative positions from Sun"
    ArrangementTodaysSky = 3,        // "today's sky": the planets where they are, on a date
};

// How fast the date of today's sky runs.
enum TimeSpeed : int32_t {
    TimeSpeedRealTime = 0,
    TimeSpeedHour = 1,  // an hour a second
    TimeSpeedDay = 2,
    TimeSpeedWeek = 3,
    TimeSpeedMonth = 4,
};

enum CameraMode : int32_t {
    CameraStatic = 0,
    CameraAround = 1,
    CameraElliptic = 2,
    CameraChaotic = 3,
    CameraPanoramic = 4,
    CameraPlanetView = 5,  // "Informative mode"
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
    int32_t timeSpeed;
};

// Where a value lives and how it is stored: one member, of its encoding's type.
struct SettingField {
    enum Encoding : uint8_t {
        Path,         // REG_SZ of a text field; unreadable or missing text is the unset path
        Number,       // REG_DWORD of a signed 32-bit field, clamped into its range when read
        LowestByte,   // REG_DWORD of a byte field, of which only the lowest byte is read
        CameraSpeed,  // REG_DWORD index 0..5 of the float field 7.0 - index
    } encoding;
    char (OrrerySettings::*path)[SettingsPathSize] = nullptr;
    int32_t OrrerySettings::*number = nullptr;
    uint8_t OrrerySettings::*byte = nullptr;  // null: the framework's "Desktop", kept beside the record
    float OrrerySettings::*speed = nullptr;

    constexpr SettingField(char (OrrerySettings::*field)[SettingsPathSize]) : encoding(Path), path(field) {}
    constexpr SettingField(int32_t OrrerySettings::*field) : encoding(Number), number(field) {}
    constexpr SettingField(uint8_t OrrerySettings::*field) : encoding(LowestByte), byte(field) {}
    constexpr SettingField(float OrrerySettings::*field) : encoding(CameraSpeed), speed(field) {}
};
constexpr SettingField DesktopFlag = static_cast<uint8_t OrrerySettings::*>(nullptr);

// Which resets give a value its default again; a new record starts with every default.
enum SettingResets : uint8_t {
    NeverReset = 0,     // "Default Audio" is the installer's, "Desktop" the framework's
    SceneReset = 1,     // ApplyDefaultSettings: every preview and every first run
    FirstRunReset = 2,  // a first run stores the complete default set
    ButtonReset = 4,    // "Set Default Values", in the dialog's controls
};
constexpr uint8_t SceneLook = SceneReset | ButtonReset;
constexpr uint8_t ColourResets = FirstRunReset | ButtonReset;  // a preview keeps it

// A radio button and the value it chooses. A group is a table of these, so a value can be
// added without renumbering another, and no control id is computed from another.
struct RadioChoice {
    int32_t value;
    int controlId;
};

// The settings dialog's control that shows a value as the number stored: a check box 1
// when checked, a radio group the value of its checked radio, a drop-down list item i the
// value low + i, the trackbar its position. The list lands in the record at once, the
// others on OK; the path box's text on OK with custom audio only.
enum SettingControlKind : uint8_t { NoControl, CheckBox, RadioGroup, DropDownList, Trackbar, PathBox };
struct SettingControl {
    SettingControlKind kind = NoControl;
    int id = 0;  // none for a radio group
    const RadioChoice* radios = nullptr;
    int radioCount = 0;
    const char* const* items = nullptr;  // a list's texts; none: the planets' names

    constexpr SettingControl(SettingControlKind shownBy = NoControl, int controlId = 0)
        : kind(shownBy), id(controlId) {}
    template <int N>
    constexpr SettingControl(const RadioChoice (&group)[N])
        : kind(RadioGroup), radios(group), radioCount(N) {}
    template <int N>
    constexpr SettingControl(int listId, const char* const (&texts)[N])
        : kind(DropDownList), id(listId), items(texts) {}
};

struct StoredSetting {
    const char* name;  // the registry value
    SettingField field;
    int32_t low;  // the range of the stored number (a path has none)
    int32_t high;
    int32_t byDefault;  // as stored; a path's default is the unset path
    uint8_t resets;
    SettingControl control;
    bool marksWrittenKey = false;  // a key without it counts as not yet written
};

inline constexpr RadioChoice ArrangementRadios[] = {
    {ArrangementRealWithPeriods, IDC_ARRANGEMENT_REAL_WITH_PERIODS},
    {ArrangementRealTogether, IDC_ARRANGEMENT_REAL_TOGETHER},
    {ArrangementRelative, IDC_ARRANGEMENT_RELATIVE},
    {ArrangementTodaysSky, IDC_ARRANGEMENT_TODAYS_SKY},
};
inline constexpr const char* TimeSpeedTexts[] = {"real time", "1 hour / s", "1 day / s", "1 week / s",
                                                 "1 month / s"};
inline constexpr RadioChoice CameraRadios[] = {
    {CameraStatic, IDC_CAMERA_STATIC},       {CameraAround, IDC_CAMERA_AROUND},
    {CameraElliptic, IDC_CAMERA_ELLIPTIC},   {CameraChaotic, IDC_CAMERA_CHAOTIC},
    {CameraPanoramic, IDC_CAMERA_PANORAMIC}, {CameraPlanetView, IDC_CAMERA_PLANET_VIEW},
};

// Every stored value in the order of writing, which is the order of reading.
inline constexpr StoredSetting StoredSettings[] = {
    {"Default Audio", &OrrerySettings::defaultAudio, 0, 0, 0, NeverReset, {}},
    {"Arrangement", &OrrerySettings::arrangement, 0, 3, 2, SceneLook, ArrangementRadios, true},
    {"Camera Settings", &OrrerySettings::cameraSettings, 0, 5, 2, SceneLook, CameraRadios},
    {"Planet to View", &OrrerySettings::planetToView, 1, 9, 2, SceneReset, {DropDownList, IDC_PLANET_LIST}},
    {"Trajectories", &OrrerySettings::trajectories, 0, 1, 0, SceneLook, {CheckBox, IDC_SHOW_TRAJECTORIES}},
    {"Names", &OrrerySettings::names, 0, 1, 0, SceneLook, {CheckBox, IDC_SHOW_NAMES}},
    {"FPS", &OrrerySettings::fps, 0, 1, 0, SceneLook, {CheckBox, IDC_SHOW_FPS}},
    {"Distances", &OrrerySettings::distances, 0, 1, 0, SceneLook, {CheckBox, IDC_SHOW_DISTANCES}},
    {"Ambient", &OrrerySettings::ambient, 0, 1, 0, SceneLook, {CheckBox, IDC_FULL_AMBIENT}},
    {"Stars", &OrrerySettings::stars, 0, 1, 0, SceneLook, {CheckBox, IDC_MORE_STARS}},
    {"Desktop", DesktopFlag, 0, 1, 0, NeverReset, {}},  // the Display Settings dialog's
    {"Audio", &OrrerySettings::audio, 0, 1, 1, SceneReset, {CheckBox, IDC_AUDIO_DEFAULT}},
    {"Custom Audio", &OrrerySettings::customAudio, 0, 1, 0, SceneReset, {CheckBox, IDC_AUDIO_CUSTOM}},
    // The colour has the "Font color..." button and its swatch.
    {"Red val", &OrrerySettings::redVal, 0, 255, 255, ColourResets, {}},
    {"Green val", &OrrerySettings::greenVal, 0, 255, 255, ColourResets, {}},
    {"Blue val", &OrrerySettings::blueVal, 0, 255, 0, ColourResets, {}},
    {"Audio Path", &OrrerySettings::audioPath, 0, 0, 0, SceneReset, {PathBox, IDC_AUDIO_PATH}},
    {"Speed of Camera", &OrrerySettings::speedOfCamera, 0, 5, 3, SceneReset, {Trackbar, IDC_SPEED_TRACKBAR}},
    {"Time Speed",
     &OrrerySettings::timeSpeed,
     0,
     4,
     TimeSpeedDay,
     SceneLook,
     {IDC_TIME_SPEED, TimeSpeedTexts}},
};

// The defaults of a preview: all but "Default Audio", the colour and "Desktop".
void ApplyDefaultSettings(OrrerySettings& settings);

// The defaults a first run stores: those and the colour.
void ApplyFirstRunSettings(OrrerySettings& settings);

// The complete default record, colour and "Default Audio" included.
OrrerySettings DefaultSettings();

// The music file a run plays, when music is on: the chosen file when "Custom Audio" is on,
// else the user's own "Default Audio", else `installedAudio`, the machine-wide one the
// installer leaves for every user. An unset path is " ".
const char* MusicToPlay(const OrrerySettings& settings, const char* installedAudio);
