#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "scene/win32/dialog_pictures.h"
#include "scene/win32/music_file_dialog.h"
#include "scene/win32/orrery_saver.h"
#include "scene/win32/settings_dialog.h"
#include "settings/settings_dialog_model.h"
#include "support/dialog_driver.h"
#include "support/test_registry_key.h"
#include "util/copy_string_bounded.h"

// The settings dialog, run modally as a Config run shows it and driven from inside its
// message loop; its settings live in a registry key of the test's own.

namespace {

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        std::strcpy(saver_.registryPath, key_.path().c_str());
        saver_.instance = GetModuleHandleA(nullptr);
        saver_.mode = Config;
    }

    // Stores `settings` as the user's, as an earlier run would have.
    void Store(const OrrerySettings& settings) {
        saver_.settings = settings;
        saver_.WriteSettings();
        ASSERT_TRUE(saver_.ReadSettings());
    }

    bool Run(DialogDriver& driver) {
        return driver.Run([this] { saver_.ShowSettingsDialog(); });
    }

    static OrrerySettings Informative() {
        OrrerySettings s = DefaultSettings();
        s.cameraSettings = CameraPlanetView;
        return s;
    }

    static LRESULT TrackbarPosition(HWND dialog) {
        return SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_GETPOS, 0, 0);
    }

    static RECT SwatchRect(HWND dialog) {
        RECT rect = {};
        GetWindowRect(GetDlgItem(dialog, IDC_COLOUR_SWATCH), &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    // The colour inside the swatch, as the dialog painted it.
    static COLORREF SwatchColour(HWND dialog) {
        UpdateWindow(dialog);
        const RECT swatch = SwatchRect(dialog);
        HDC dc = GetDC(dialog);
        const COLORREF colour =
            GetPixel(dc, (swatch.left + swatch.right) / 2, (swatch.top + swatch.bottom) / 2);
        ReleaseDC(dialog, dc);
        return colour;
    }

    TestRegistryKey key_;
    OrrerySaver saver_;
};

TEST_F(SettingsDialog, OpeningStoresACompleteSetThatCancelKeeps) {
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        for (const StoredSetting& setting : StoredSettings) {
            EXPECT_TRUE(key_.Has(setting.name)) << setting.name << " was not stored when the dialog opened";
        }
        EXPECT_TRUE(key_.Has("AllScreensSame"));
        ClickButton(dialog, IDCANCEL);
    });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(key_.Dword("Arrangement"), 2u);
    EXPECT_EQ(key_.Dword("Speed of Camera"), 3u);
    EXPECT_EQ(key_.Text("Audio Path"), " ");
}

TEST_F(SettingsDialog, ControlsShowTheStoredSettings) {
    OrrerySettings s = Informative();
    s.arrangement = ArrangementRealWithPeriods;
    s.planetToView = 5;  // Jupiter
    s.speedOfCamera = 6.0f;
    s.trajectories = 1;
    s.fps = 1;
    s.stars = 1;
    s.audio = 0;
    s.customAudio = 1;
    std::strcpy(s.audioPath, "C:\\music\\orbit.mp3");
    Store(s);

    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        char caption[100] = {};
        GetWindowTextA(dialog, caption, sizeof(caption));
        EXPECT_STREQ(caption, "Celestra Screensaver settings");
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_GETRANGEMIN, 0, 0), 0);
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_GETRANGEMAX, 0, 0), 5);
        EXPECT_EQ(TrackbarPosition(dialog), 1);
        for (const StoredSetting& setting : StoredSettings) {
            if (setting.control.kind == CheckBox) {
                EXPECT_EQ(Checked(dialog, setting.control.id), ShownNumber(setting, s) == 1) << setting.name;
            }
        }
        for (const RadioChoice& radio : ArrangementRadios) {
            EXPECT_EQ(Checked(dialog, radio.controlId), radio.value == ArrangementRealWithPeriods)
                << radio.value;
        }
        for (const RadioChoice& radio : CameraRadios) {
            EXPECT_EQ(Checked(dialog, radio.controlId), radio.value == CameraPlanetView) << radio.value;
        }
        EXPECT_TRUE(Enabled(dialog, IDC_PLANET_LIST));
        EXPECT_TRUE(Enabled(dialog, IDC_FONT_COLOUR));
        const std::vector<std::string> planets = {"Pluto", "Neptune", "Uranus", "Saturn", "Jupiter",
                                                  "Mars",  "Earth",   "Venus",  "Mercury"};
        EXPECT_EQ(ListItems(dialog, IDC_PLANET_LIST), planets);
        EXPECT_EQ(ListSelection(dialog, IDC_PLANET_LIST), 4);
        EXPECT_EQ(ControlText(dialog, IDC_AUDIO_PATH), "C:\\music\\orbit.mp3");
        EXPECT_TRUE(Enabled(dialog, IDC_AUDIO_PATH));
        EXPECT_TRUE(Enabled(dialog, IDC_AUDIO_BROWSE));
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_TRUE(Run(driver));
}

TEST_F(SettingsDialog, TemplateIsLaidOutAsDesigned) {
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        RECT size = {0, 0, 375, 262};
        MapDialogRect(dialog, &size);
        RECT client = {};
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);
        EXPECT_EQ(ControlText(dialog, IDC_SPEED_TICKS),
                  "'             '             '            '             '             '");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_COLOUR_SWATCH)));
        EXPECT_EQ(ControlText(dialog, IDC_SET_DEFAULTS), "&Set Default Values");
        EXPECT_EQ(ControlText(dialog, IDC_DISPLAY_SETTINGS), "&Display Settings...");
        // Radios are checked by the dialog, check boxes toggle themselves.
        EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDC_CAMERA_PLANET_VIEW), GWL_STYLE) & BS_TYPEMASK,
                  BS_RADIOBUTTON);
        EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDC_SHOW_FPS), GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
        char className[32] = {};
        GetClassNameA(GetDlgItem(dialog, IDC_SPEED_TRACKBAR), className, sizeof(className));
        EXPECT_STREQ(className, TRACKBAR_CLASSA);
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_TRUE(Run(driver));
}

// At 96 dpi the space picture keeps its own size; in a control grown as at 200 % it is
// replaced by a copy that fills the control in its own shape. The dialog gives back
// every picture it made: closing it leaves no GDI object behind.
TEST_F(SettingsDialog, ThePictureFillsAGrownControlAndNothingIsLeftAfterwards) {
    const auto pictureSize = [](HWND dialog) {
        const HBITMAP shown = reinterpret_cast<HBITMAP>(
            SendDlgItemMessageA(dialog, IDC_SPACE_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP description = {};
        GetObjectA(shown, sizeof(description), &description);
        return PictureSize{description.bmWidth, description.bmHeight};
    };
    DialogDriver warmUp;
    warmUp.Then([&](HWND dialog) {
        const PictureSize own = pictureSize(dialog);
        EXPECT_EQ(own.width, 267);
        EXPECT_EQ(own.height, 167);
        ClickButton(dialog, IDCANCEL);
    });
    ASSERT_TRUE(Run(warmUp));
    const DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);

    HGDIOBJ loaded = nullptr;
    HGDIOBJ stretched = nullptr;
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        loaded = reinterpret_cast<HGDIOBJ>(
            SendDlgItemMessageA(dialog, IDC_SPACE_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
        SetWindowPos(GetDlgItem(dialog, IDC_SPACE_PICTURE), nullptr, 0, 0, 534, 306,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        FitDialogPictures(dialog, GetModuleHandleA(nullptr));
        stretched = reinterpret_cast<HGDIOBJ>(
            SendDlgItemMessageA(dialog, IDC_SPACE_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
        EXPECT_NE(stretched, loaded);
        EXPECT_EQ(GetObjectType(loaded), 0u) << "the replaced picture is deleted";
        const PictureSize grown = pictureSize(dialog);
        const PictureSize expected = DialogPictureSize({267, 167}, {534, 306});
        EXPECT_EQ(grown.width, expected.width);
        EXPECT_EQ(grown.height, 306);
        ClickButton(dialog, IDCANCEL);
    });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(GetObjectType(stretched), 0u) << "the dialog's own copy goes with it";
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objectsBefore);
}

TEST_F(SettingsDialog, OkStoresWhatTheUserChanged) {
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        ClickButton(dialog, IDC_ARRANGEMENT_REAL_WITH_PERIODS);
        ClickButton(dialog, IDC_CAMERA_STATIC);
        for (int id : {IDC_SHOW_TRAJECTORIES, IDC_SHOW_NAMES, IDC_SHOW_DISTANCES, IDC_FULL_AMBIENT}) {
            ClickButton(dialog, id);
        }
        SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_SETPOS, TRUE, 0);  // far left: slow
        ClickButton(dialog, IDC_AUDIO_CUSTOM);
        SetDlgItemTextA(dialog, IDC_AUDIO_PATH, "D:\\songs\\space.mp3");
        ClickButton(dialog, IDOK);
    });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(key_.Dword("Arrangement"), 0u);
    EXPECT_EQ(key_.Dword("Camera Settings"), 0u);
    EXPECT_EQ(key_.Dword("Trajectories"), 1u);
    EXPECT_EQ(key_.Dword("Names"), 1u);
    EXPECT_EQ(key_.Dword("FPS"), 0u);
    EXPECT_EQ(key_.Dword("Distances"), 1u);
    EXPECT_EQ(key_.Dword("Ambient"), 1u);
    EXPECT_EQ(key_.Dword("Stars"), 0u);
    EXPECT_EQ(key_.Dword("Audio"), 0u) << "checking Custom cleared Default";
    EXPECT_EQ(key_.Dword("Custom Audio"), 1u);
    EXPECT_EQ(key_.Text("Audio Path"), "D:\\songs\\space.mp3");
    EXPECT_EQ(key_.Dword("Speed of Camera"), 0u);

    DialogDriver again;
    again.Then([&](HWND dialog) {
        EXPECT_EQ(TrackbarPosition(dialog), 0);
        SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_SETPOS, TRUE, 5);  // far right: fast
        ClickButton(dialog, IDC_AUDIO_CUSTOM);  // off again: the path stays as stored
        SetDlgItemTextA(dialog, IDC_AUDIO_PATH, "typed but not custom");
        ClickButton(dialog, IDOK);
    });
    ASSERT_TRUE(Run(again));
    EXPECT_EQ(key_.Dword("Speed of Camera"), 5u);
    EXPECT_EQ(key_.Dword("Custom Audio"), 0u);
    EXPECT_EQ(key_.Text("Audio Path"), "D:\\songs\\space.mp3");
}

TEST_F(SettingsDialog, CancelUndoesWhatLandedAtOnce) {
    Store(Informative());
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        ChooseListItem(dialog, IDC_PLANET_LIST, 4);
        EXPECT_EQ(saver_.settings.planetToView, 5) << "the planet lands at once";
        ClickButton(dialog, IDC_SHOW_NAMES);
        ClickButton(dialog, IDCANCEL);
    });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(saver_.settings.planetToView, 2);
    EXPECT_EQ(key_.Dword("Planet to View"), 2u);
    EXPECT_EQ(key_.Dword("Names"), 0u);
}

TEST_F(SettingsDialog, SetDefaultValuesResetsTheSceneButNotTheMusic) {
    OrrerySettings s = Informative();
    s.arrangement = ArrangementRealTogether;
    s.planetToView = 7;
    s.speedOfCamera = 7.0f;
    s.trajectories = s.names = s.fps = s.distances = s.ambient = s.stars = 1;
    s.audio = 0;
    s.customAudio = 1;
    std::strcpy(s.audioPath, "C:\\mine.mp3");
    SetTextColour(s, RGB(0, 0, 200));
    Store(s);

    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        ClickButton(dialog, IDC_SET_DEFAULTS);
        EXPECT_TRUE(Checked(dialog, IDC_ARRANGEMENT_RELATIVE));
        EXPECT_FALSE(Checked(dialog, IDC_ARRANGEMENT_REAL_TOGETHER));
        EXPECT_TRUE(Checked(dialog, IDC_CAMERA_ELLIPTIC));
        EXPECT_FALSE(Checked(dialog, IDC_CAMERA_PLANET_VIEW));
        EXPECT_FALSE(Enabled(dialog, IDC_PLANET_LIST));
        EXPECT_FALSE(Enabled(dialog, IDC_FONT_COLOUR));
        EXPECT_EQ(TrackbarPosition(dialog), 2) << "speed 5.0, not the first run's 4.0";
        EXPECT_EQ(saver_.settings.redVal, 255);
        EXPECT_EQ(saver_.settings.greenVal, 255);
        EXPECT_EQ(saver_.settings.blueVal, 0);
        EXPECT_TRUE(Checked(dialog, IDC_AUDIO_CUSTOM));
        EXPECT_FALSE(Checked(dialog, IDC_AUDIO_DEFAULT));
        EXPECT_EQ(ControlText(dialog, IDC_AUDIO_PATH), "C:\\mine.mp3");
        EXPECT_EQ(ListSelection(dialog, IDC_PLANET_LIST), 6);
        ClickButton(dialog, IDOK);
    });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(key_.Dword("Arrangement"), 2u);
    EXPECT_EQ(key_.Dword("Camera Settings"), 2u);
    EXPECT_EQ(key_.Dword("Speed of Camera"), 2u) << "speed 5.0";
    for (const StoredSetting& setting : StoredSettings) {
        if (setting.control.kind == CheckBox && (setting.resets & ButtonReset) != 0) {
            EXPECT_EQ(key_.Dword(setting.name), 0u) << setting.name;
        }
    }
    EXPECT_EQ(key_.Dword("Custom Audio"), 1u);
    EXPECT_EQ(key_.Dword("Planet to View"), 7u);
    EXPECT_EQ(key_.Dword("Red val"), 255u);
    EXPECT_EQ(key_.Dword("Blue val"), 0u);
}

TEST_F(SettingsDialog, InformativeModeAndTodaysSkyOpenTheirOwnControls) {
    OrrerySettings s = DefaultSettings();
    SetTextColour(s, RGB(0x20, 0x80, 0xC0));
    Store(s);
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        EXPECT_FALSE(Enabled(dialog, IDC_PLANET_LIST));
        EXPECT_EQ(SwatchColour(dialog), GetSysColor(COLOR_WINDOW)) << "an empty box outside informative mode";
        ClickButton(dialog, IDC_CAMERA_PLANET_VIEW);
        EXPECT_TRUE(Enabled(dialog, IDC_PLANET_LIST));
        EXPECT_TRUE(Enabled(dialog, IDC_FONT_COLOUR));
        EXPECT_FALSE(Checked(dialog, IDC_CAMERA_ELLIPTIC));
        EXPECT_EQ(SwatchColour(dialog), RGB(0x20, 0x80, 0xC0));
        ClickButton(dialog, IDC_CAMERA_CHAOTIC);
        EXPECT_FALSE(Enabled(dialog, IDC_PLANET_LIST));
        EXPECT_FALSE(Enabled(dialog, IDC_FONT_COLOUR));
        EXPECT_EQ(SwatchColour(dialog), GetSysColor(COLOR_WINDOW));
        // The time speed likewise serves today's sky only.
        EXPECT_FALSE(Enabled(dialog, IDC_TIME_SPEED));
        ClickButton(dialog, IDC_ARRANGEMENT_TODAYS_SKY);
        EXPECT_TRUE(Enabled(dialog, IDC_TIME_SPEED));
        ChooseListItem(dialog, IDC_TIME_SPEED, TimeSpeedWeek);
        ClickButton(dialog, IDOK);
    });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(key_.Dword("Camera Settings"), 3u);
    EXPECT_EQ(key_.Dword("Arrangement"), 3u);
    EXPECT_EQ(key_.Dword("Time Speed"), 3u);
}

TEST_F(SettingsDialog, DefaultAndCustomAudioAreNeverBothChecked) {
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_AUDIO_DEFAULT));
        EXPECT_FALSE(Enabled(dialog, IDC_AUDIO_PATH));
        ClickButton(dialog, IDC_AUDIO_CUSTOM);
        EXPECT_FALSE(Checked(dialog, IDC_AUDIO_DEFAULT));
        EXPECT_TRUE(Enabled(dialog, IDC_AUDIO_PATH));
        EXPECT_TRUE(Enabled(dialog, IDC_AUDIO_BROWSE));
        ClickButton(dialog, IDC_AUDIO_DEFAULT);
        EXPECT_FALSE(Checked(dialog, IDC_AUDIO_CUSTOM));
        EXPECT_FALSE(Enabled(dialog, IDC_AUDIO_PATH));
        EXPECT_FALSE(Enabled(dialog, IDC_AUDIO_BROWSE));
        ClickButton(dialog, IDC_AUDIO_DEFAULT);  // off: no music at all
        EXPECT_FALSE(Checked(dialog, IDC_AUDIO_CUSTOM));
        ClickButton(dialog, IDOK);
    });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(key_.Dword("Audio"), 0u);
    EXPECT_EQ(key_.Dword("Custom Audio"), 0u);
}

// One hardware adapter offering three modes, on the last monitor; the monitors before it
// have no adapter.
AdapterRecord* GiveOneAdapter(SaverBase& saver, DWORD monitorsWithoutAdapter = 0) {
    saver.monitorCount = monitorsWithoutAdapter + 1;
    for (DWORD m = 0; m < monitorsWithoutAdapter; ++m) {
        CopyStringBounded(saver.monitors[m].adapterDescription, "No Adapter");
        saver.monitors[m].adapterIndex = NoAdapter;
    }
    MonitorRecord& monitor = saver.monitors[monitorsWithoutAdapter];
    CopyStringBounded(monitor.adapterDescription, "Test Adapter");
    monitor.adapterIndex = 0;
    AdapterRecord* adapter = new AdapterRecord();
    adapter->monitorIndex = monitorsWithoutAdapter;
    saver.adapters[0] = adapter;
    saver.adapterCount = 1;
    std::memset(&adapter->identifier.DeviceIdentifier, 0x5A, sizeof(GUID));
    adapter->hasHardware = adapter->hasUsableHardware = TRUE;
    adapter->deviceKindCount = 1;
    DeviceKindRecord& kind = adapter->deviceKinds[0];
    kind.deviceType = D3DDEVTYPE_HAL;
    kind.modeCount = 3;
    kind.modes[0] = {640, 480, D3DFMT_R5G6B5, 0x40, D3DFMT_D16};
    kind.modes[1] = {640, 480, D3DFMT_X8R8G8B8, 0x40, D3DFMT_D16};
    kind.modes[2] = {1024, 768, D3DFMT_X8R8G8B8, 0x40, D3DFMT_D16};
    return adapter;
}

TEST_F(SettingsDialog, DisplaySettingsReachTheRegistryWithOk) {
    AdapterRecord* adapter = GiveOneAdapter(saver_);
    DialogDriver driver;
    driver.Then([&](HWND dialog) { ClickButton(dialog, IDC_DISPLAY_SETTINGS); })
        .Then([&](HWND display) {
            char caption[64] = {};
            GetWindowTextA(display, caption, sizeof(caption));
            EXPECT_STREQ(caption, "Display Settings");
            ChooseListItem(display, IDC_MODE_LIST, 3);
            ClickButton(display, IDOK);
        })
        .Then([&](HWND dialog) {
            EXPECT_EQ(adapter->preferredWidth, 1024u);
            ClickButton(dialog, IDOK);
        });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(key_.Dword("Width", "Screen 1"), 1024u);
    EXPECT_EQ(key_.Dword("Height", "Screen 1"), 768u);
    EXPECT_EQ(key_.Dword("Format", "Screen 1"), static_cast<DWORD>(D3DFMT_X8R8G8B8));

    DialogDriver automatic;
    automatic.Then([&](HWND dialog) { ClickButton(dialog, IDC_DISPLAY_SETTINGS); })
        .Then([&](HWND display) {
            EXPECT_EQ(ListSelection(display, IDC_MODE_LIST), 3);
            ChooseListItem(display, IDC_MODE_LIST, 0);
            ClickButton(display, IDOK);
        })
        .Then([&](HWND dialog) { ClickButton(dialog, IDOK); });
    ASSERT_TRUE(Run(automatic));
    EXPECT_EQ(key_.Dword("Width", "Screen 1"), 0u);
    EXPECT_EQ(key_.Dword("Height", "Screen 1"), 0u);
    EXPECT_EQ(key_.Dword("Format", "Screen 1"), 0u);
}

// "Screen N" counts monitors, not adapters: behind a monitor without an adapter, the
// first adapter's choices live in "Screen 2".
TEST_F(SettingsDialog, ScreenKeysAreNamedForTheMonitorOfTheAdapter) {
    AdapterRecord* adapter = GiveOneAdapter(saver_, 1);
    DialogDriver driver;
    driver.Then([&](HWND dialog) { ClickButton(dialog, IDC_DISPLAY_SETTINGS); })
        .Then([&](HWND display) {
            EXPECT_EQ(ControlText(display, IDC_ADAPTER_NAME), "Test Adapter");
            ChooseListItem(display, IDC_MODE_LIST, 3);
            ClickButton(display, IDOK);
        })
        .Then([&](HWND dialog) { ClickButton(dialog, IDOK); });
    ASSERT_TRUE(Run(driver));
    EXPECT_FALSE(key_.Has("Width", "Screen 1")) << "the first monitor has no adapter";
    EXPECT_EQ(key_.Dword("Width", "Screen 2"), 1024u);
    EXPECT_EQ(key_.Dword("Format", "Screen 2"), static_cast<DWORD>(D3DFMT_X8R8G8B8));

    adapter->preferredWidth = 0;
    ASSERT_TRUE(saver_.ReadSettings());
    EXPECT_EQ(adapter->preferredWidth, 1024u) << "read back from the same key";
}

TEST_F(SettingsDialog, CancelAlsoUndoesTheDisplaySettings) {
    AdapterRecord* adapter = GiveOneAdapter(saver_);
    saver_.WriteSettings();
    DialogDriver driver;
    driver.Then([&](HWND dialog) { ClickButton(dialog, IDC_DISPLAY_SETTINGS); })
        .Then([&](HWND display) {
            ChooseListItem(display, IDC_MODE_LIST, 1);
            ClickButton(display, IDC_USE_DESKTOP);
            ClickButton(display, IDOK);
        })
        .Then([&](HWND dialog) {
            EXPECT_EQ(adapter->preferredWidth, 640u);
            EXPECT_EQ(saver_.useDesktopSettings, 1);
            ClickButton(dialog, IDCANCEL);
        });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(adapter->preferredWidth, 0u);
    EXPECT_EQ(saver_.useDesktopSettings, 0);
    EXPECT_EQ(key_.Dword("Width", "Screen 1"), 0u);
    EXPECT_EQ(key_.Dword("Desktop"), 0u);
}

TEST_F(SettingsDialog, ConfirmingTheColourDialogUnchangedKeepsTheColour) {
    OrrerySettings s = Informative();
    SetTextColour(s, RGB(10, 20, 30));
    Store(s);
    DialogDriver driver;
    driver.Then([&](HWND dialog) { ClickButton(dialog, IDC_FONT_COLOUR); })
        .Then([&](HWND colourDialog) { ClickButton(colourDialog, IDOK); })
        .Then([&](HWND dialog) { ClickButton(dialog, IDC_FONT_COLOUR); })
        .Then([&](HWND colourDialog) { ClickButton(colourDialog, IDCANCEL); })
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextColourRef(saver_.settings), static_cast<uint32_t>(RGB(10, 20, 30)));
            ClickButton(dialog, IDOK);
        });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(key_.Dword("Red val"), 10u);
    EXPECT_EQ(key_.Dword("Green val"), 20u);
    EXPECT_EQ(key_.Dword("Blue val"), 30u);
}

// The file name box of the open-file dialog: a combo box's edit or a plain edit.
HWND FileNameBox(HWND fileDialog) {
    for (int id : {1148, 1152}) {  // cmb13, edt1
        HWND box = GetDlgItem(fileDialog, id);
        if (box != nullptr && IsWindowVisible(box)) {
            return box;
        }
    }
    return nullptr;
}

std::string TemporaryMusicFile() {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof(folder), folder);
    const std::string path = std::string(folder) + "celestra test tune.mp3";
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(file);
    return path;
}

TEST_F(SettingsDialog, BrowsingPutsTheChosenFileIntoThePathBox) {
    const std::string music = TemporaryMusicFile();
    OrrerySettings s = DefaultSettings();
    s.customAudio = 1;
    s.audio = 0;
    std::strcpy(s.audioPath, "C:\\before.mp3");
    Store(s);

    DialogDriver driver;
    driver.Then([&](HWND dialog) { ClickButton(dialog, IDC_AUDIO_BROWSE); })
        .Then([&](HWND fileDialog) { ClickButton(fileDialog, IDCANCEL); })
        .Then([&](HWND dialog) {
            EXPECT_EQ(ControlText(dialog, IDC_AUDIO_PATH), "C:\\before.mp3");
            SetDlgItemTextA(dialog, IDC_AUDIO_PATH, "typed");
            ClickButton(dialog, IDC_AUDIO_BROWSE);
        })
        .Then([&](HWND fileDialog) {
            HWND box = FileNameBox(fileDialog);
            ASSERT_NE(box, nullptr);
            SetWindowTextA(box, music.c_str());
            ClickButton(fileDialog, IDOK);
        })
        .Then([&](HWND dialog) {
            EXPECT_STREQ(saver_.settings.audioPath, music.c_str()) << "a chosen file lands at once";
            EXPECT_EQ(ControlText(dialog, IDC_AUDIO_PATH), music);
            ClickButton(dialog, IDOK);
        });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(key_.Text("Audio Path"), music);
    DeleteFileA(music.c_str());
}

TEST_F(SettingsDialog, CancelUndoesAChangedColourAndABrowsedPath) {
    const std::string music = TemporaryMusicFile();
    OrrerySettings s = Informative();
    SetTextColour(s, RGB(10, 20, 30));
    s.customAudio = 1;
    s.audio = 0;
    std::strcpy(s.audioPath, "C:\\before.mp3");
    Store(s);

    DialogDriver driver;
    driver.Then([&](HWND dialog) { ClickButton(dialog, IDC_FONT_COLOUR); })
        .Then([&](HWND colourDialog) {
            SetDlgItemTextA(colourDialog, 706, "200");  // the red, green and blue boxes
            SetDlgItemTextA(colourDialog, 707, "100");
            SetDlgItemTextA(colourDialog, 708, "50");
            ClickButton(colourDialog, IDOK);
        })
        .Then([&](HWND dialog) {
            EXPECT_EQ(TextColourRef(saver_.settings), static_cast<uint32_t>(RGB(200, 100, 50)));
            ClickButton(dialog, IDC_AUDIO_BROWSE);
        })
        .Then([&](HWND fileDialog) {
            HWND box = FileNameBox(fileDialog);
            ASSERT_NE(box, nullptr);
            SetWindowTextA(box, music.c_str());
            ClickButton(fileDialog, IDOK);
        })
        .Then([&](HWND dialog) {
            EXPECT_STREQ(saver_.settings.audioPath, music.c_str());
            ClickButton(dialog, IDCANCEL);
        });
    ASSERT_TRUE(Run(driver));
    EXPECT_EQ(TextColourRef(saver_.settings), static_cast<uint32_t>(RGB(10, 20, 30)));
    EXPECT_STREQ(saver_.settings.audioPath, "C:\\before.mp3");
    EXPECT_EQ(key_.Dword("Red val"), 10u);
    EXPECT_EQ(key_.Text("Audio Path"), "C:\\before.mp3");
    DeleteFileA(music.c_str());
}

TEST_F(SettingsDialog, CancelledBrowsingLeavesThePathAlone) {
    char path[SettingsPathSize] = "C:\\kept.mp3";
    DialogDriver driver;
    driver.Then([&](HWND fileDialog) { ClickButton(fileDialog, IDCANCEL); });
    bool chosen = true;
    ASSERT_TRUE(driver.Run([&] { chosen = saver_.BrowseMusicFile(path, nullptr); }));
    EXPECT_FALSE(chosen);
    EXPECT_STREQ(path, "C:\\kept.mp3");
}

TEST(SettingsDialogProc, FindsNoSaverOnceItIsGone) {
    {
        OrrerySaver saver;
        EXPECT_EQ(OrrerySaver::Instance(), &saver);
    }
    EXPECT_EQ(OrrerySaver::Instance(), nullptr);
    EXPECT_EQ(SettingsDialogProc(nullptr, WM_COMMAND, IDC_SET_DEFAULTS, 0), FALSE) << "nothing to work on";
}

TEST(MusicFileDialog, OffersMp3FilesFirstAndOnlyExistingOnes) {
    MusicFileDialog dialog;
    std::memset(&dialog, 0x7F, sizeof(dialog));
    HWND owner = reinterpret_cast<HWND>(0x1234);
    PrepareMusicFileDialog(dialog, owner);
    const DWORD recordBeforeWindows2000 = sizeof(void*) == 8 ? 136u : 76u;
    EXPECT_EQ(dialog.record.lStructSize, recordBeforeWindows2000);
    EXPECT_EQ(dialog.record.hwndOwner, owner);
    const char filter[] = "mp3 file (*.mp3)\0*.mp3\0All files (*.*)\0*.*\0";
    ASSERT_EQ(MusicFileFilterSize, sizeof(filter));
    EXPECT_EQ(std::memcmp(dialog.record.lpstrFilter, filter, sizeof(filter)), 0);
    EXPECT_EQ(dialog.record.nFilterIndex, 1u);
    EXPECT_EQ(dialog.record.lpstrFile, dialog.file);
    EXPECT_EQ(dialog.file[0], '\0');
    EXPECT_EQ(dialog.record.nMaxFile, 260u);
    EXPECT_EQ(dialog.record.Flags, static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
    EXPECT_EQ(dialog.record.lpstrInitialDir, nullptr);
    EXPECT_EQ(dialog.record.lpfnHook, nullptr);
}

TEST_F(SettingsDialog, TheLogoShowsTheHandWhileTheMouseIsOverIt) {
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        RECT logo = {};
        GetWindowRect(GetDlgItem(dialog, IDC_LOGO), &logo);
        SetCursorPos((logo.left + logo.right) / 2, (logo.top + logo.bottom) / 2);
        SendMessageA(dialog, WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
        SetCursorPos(logo.left, logo.top);  // the edge is outside
        SendMessageA(dialog, WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_TRUE(Run(driver));
}

TEST_F(SettingsDialog, AnOwnerThatIsNoWindowStillGetsTheDialog) {
    saver_.parentWindow = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7654320));
    ASSERT_FALSE(IsWindow(saver_.parentWindow));
    DialogDriver driver;
    driver.Then([&](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    EXPECT_TRUE(Run(driver));
}

}  // namespace
