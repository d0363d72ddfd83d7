#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "framework/password_requirement.h"
#include "scene/win32/orrery_saver.h"
#include "support/test_registry_key.h"
#include "util/copy_string_bounded.h"
#include "util/win32/registry_key.h"

// Settings against the real registry of the test prefix, each test under a key of its own.

namespace {

class SettingsRegistry : public ::testing::Test {
protected:
    void SetUp() override { CopyStringBounded(saver_.registryPath, key_.path().c_str()); }

    bool KeyExists() const { return key_.Exists(); }
    void SetDword(const char* name, DWORD value) { key_.SetDword(name, value); }
    void SetString(const char* name, const std::string& text) { key_.SetString(name, text); }
    DWORD Dword(const char* name) const { return key_.Dword(name); }
    std::string Text(const char* name) const { return key_.Text(name); }

    // One monitor driven by adapter 0, whose identifier is all `idByte`.
    AdapterRecord* GiveMonitorAnAdapter(BYTE idByte) {
        saver_.monitorCount = 1;
        saver_.monitors[0].adapterIndex = 0;
        saver_.adapters[0] = new AdapterRecord();
        saver_.adapterCount = 1;
        std::memset(&saver_.adapters[0]->identifier.DeviceIdentifier, idByte, sizeof(GUID));
        return saver_.adapters[0];
    }

    TestRegistryKey key_;
    OrrerySaver saver_;
};

TEST_F(SettingsRegistry, AFirstRunStoresTheCompleteDefaultSet) {
    saver_.mode = Full;
    saver_.LoadSettings();
    ASSERT_TRUE(KeyExists());
    for (const StoredSetting& setting : StoredSettings) {
        if (setting.field.encoding == SettingField::Path) {
            EXPECT_EQ(Text(setting.name), " ") << setting.name;
        } else {
            EXPECT_EQ(Dword(setting.name), static_cast<DWORD>(setting.byDefault)) << setting.name;
        }
    }
    EXPECT_EQ(Dword("AllScreensSame"), 0u);
    EXPECT_EQ(saver_.settings.speedOfCamera, 4.0f);
}

TEST_F(SettingsRegistry, APreviewWritesNothingAndShowsTheDefaults) {
    saver_.mode = Preview;
    saver_.settings.cameraSettings = 4;
    saver_.LoadSettings();
    EXPECT_FALSE(KeyExists());
    EXPECT_EQ(saver_.settings.cameraSettings, 2);
    EXPECT_EQ(saver_.settings.arrangement, 2);
}

TEST_F(SettingsRegistry, APreviewIgnoresTheStoredSceneButKeepsTheColour) {
    SetDword("Arrangement", 0);
    SetDword("Camera Settings", 5);
    SetDword("Trajectories", 1);
    SetDword("Red val", 7);
    saver_.mode = Preview;
    saver_.LoadSettings();
    EXPECT_EQ(saver_.settings.cameraSettings, 2);
    EXPECT_EQ(saver_.settings.arrangement, 2);
    EXPECT_EQ(saver_.settings.trajectories, 0);
    EXPECT_EQ(saver_.settings.redVal, 7);
    EXPECT_EQ(Dword("Camera Settings"), 5u) << "nothing rewritten";
}

TEST_F(SettingsRegistry, AnInstalledDefaultAudioSurvivesTheFirstRun) {
    SetString("Default Audio", "C:\\Program Files\\Celestra\\theme.mp3");
    saver_.mode = Full;
    saver_.LoadSettings();
    EXPECT_EQ(Text("Default Audio"), "C:\\Program Files\\Celestra\\theme.mp3");
    EXPECT_STREQ(saver_.settings.defaultAudio, "C:\\Program Files\\Celestra\\theme.mp3");
    EXPECT_EQ(Dword("Arrangement"), 2u) << "the rest of the set was stored";
    EXPECT_EQ(Dword("Speed of Camera"), 3u);
}

// The installer leaves its music for every user in HKEY_LOCAL_MACHINE; a user's own
// "Default Audio" wins, and the machine's path is never copied into the user's key.
TEST_F(SettingsRegistry, TheInstallersMachineWideMusicPlaysUnlessTheUserHasTheirOwn) {
    const char* installed = "C:\\Program Files\\Nebulart\\Celestra\\celestra-ambient.mp3";
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key_.path().c_str(), "Default Audio", REG_SZ, installed,
                              static_cast<DWORD>(std::strlen(installed) + 1)),
              ERROR_SUCCESS);
    for (const char* own : {"", " ", "D:\\mine.mp3"}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.path().c_str());
        if (own[0] != '\0') {
            SetString("Default Audio", own);
        }
        OrrerySaver saver;
        CopyStringBounded(saver.registryPath, key_.path().c_str());
        saver.mode = Full;
        saver.LoadSettings();
        const bool hasOwn = own[0] != '\0' && own[0] != ' ';
        EXPECT_STREQ(MusicToPlay(saver.settings, saver.installedAudio), hasOwn ? own : installed) << own;
        EXPECT_EQ(Text("Default Audio"), hasOwn ? own : " ") << own;
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, key_.path().c_str());
}

TEST_F(SettingsRegistry, StoredChoicesAreWhatTheNextRunUses) {
    saver_.mode = Full;
    saver_.LoadSettings();
    SetDword("Camera Settings", 0);
    SetDword("Trajectories", 1);
    SetDword("Speed of Camera", 5);
    OrrerySaver next;
    CopyStringBounded(next.registryPath, key_.path().c_str());
    next.mode = SaverMode::Test;
    next.LoadSettings();
    EXPECT_EQ(next.settings.cameraSettings, 0);
    EXPECT_EQ(next.settings.trajectories, 1);
    EXPECT_EQ(next.settings.speedOfCamera, 2.0f);
}

TEST_F(SettingsRegistry, GarbageReadsAsTheDocumentedFallback) {
    saver_.mode = Full;
    saver_.LoadSettings();
    SetString("Camera Settings", "hello");  // a string where a number belongs
    SetString("Audio Path", std::string(300, 'x'));
    SetDword("Planet to View", 0xFFFFFFFF);
    OrrerySaver next;
    CopyStringBounded(next.registryPath, key_.path().c_str());
    next.mode = Full;
    std::strcpy(next.settings.audioPath, "kept?");
    next.LoadSettings();
    EXPECT_EQ(next.settings.cameraSettings, 2) << "unreadable: the default stays";
    EXPECT_STREQ(next.settings.audioPath, " ");
    EXPECT_EQ(next.settings.planetToView, 1) << "-1 clamps to the first planet";
    EXPECT_EQ(Text("Camera Settings"), "hello") << "a run never rewrites existing settings";
}

TEST_F(SettingsRegistry, PerScreenChoicesFollowTheirAdapter) {
    AdapterRecord* adapter = GiveMonitorAnAdapter(0x11);
    adapter->leaveBlack = TRUE;
    adapter->preferredWidth = 1024;
    adapter->preferredHeight = 768;
    adapter->preferredFormat = D3DFMT_R5G6B5;
    saver_.allScreensSame = TRUE;
    saver_.mode = Full;
    saver_.WriteSettings();
    EXPECT_EQ(Dword("AllScreensSame"), 1u);

    // Read back into a fresh record of the same adapter.
    *adapter = AdapterRecord();
    std::memset(&adapter->identifier.DeviceIdentifier, 0x11, sizeof(GUID));
    saver_.allScreensSame = FALSE;
    ASSERT_TRUE(saver_.ReadSettings());
    EXPECT_TRUE(saver_.allScreensSame);
    EXPECT_TRUE(adapter->leaveBlack);
    EXPECT_EQ(adapter->preferredWidth, 1024u);
    EXPECT_EQ(adapter->preferredFormat, D3DFMT_R5G6B5);

    // Another graphics card: its modes differ, so only "Leave Black" carries over.
    *adapter = AdapterRecord();
    std::memset(&adapter->identifier.DeviceIdentifier, 0x22, sizeof(GUID));
    ASSERT_TRUE(saver_.ReadSettings());
    EXPECT_TRUE(adapter->leaveBlack);
    EXPECT_EQ(adapter->preferredWidth, 0u);
    EXPECT_EQ(adapter->preferredFormat, D3DFMT_UNKNOWN);
}

TEST_F(SettingsRegistry, MonitorsWithoutAnAdapterHaveNoScreenKey) {
    saver_.monitorCount = 2;
    saver_.monitors[0].adapterIndex = NoAdapter;
    saver_.monitors[1].adapterIndex = NoAdapter;
    saver_.mode = Full;
    saver_.WriteSettings();
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, (key_.path() + "\\Screen 1").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
}

TEST_F(SettingsRegistry, AnEmptyKeyPathReadsAndWritesNothing) {
    saver_.registryPath[0] = '\0';
    saver_.mode = Full;
    saver_.settings.cameraSettings = 4;
    saver_.LoadSettings();
    DWORD size = 0;
    EXPECT_NE(
        RegGetValueA(HKEY_CURRENT_USER, nullptr, "Camera Settings", RRF_RT_ANY, nullptr, nullptr, &size),
        ERROR_SUCCESS)
        << "nothing may land in the root of the user's registry";
}

// The desktop's password switch as Windows and other programs store it.
TEST(PasswordSetting, IsReadByItsRegistryType) {
    struct Case {
        DWORD type;
        std::string data;
        bool required;
    };
    const Case cases[] = {
        {REG_SZ, std::string("0", 2), false},  // not its byte 0x30
        {REG_SZ, std::string("1", 2), true},
        {REG_DWORD, std::string("\1\0\0\0", 4), true},
        {REG_DWORD, std::string(4, '\0'), false},
        {REG_BINARY, std::string("\1", 1), true},
        {REG_MULTI_SZ, std::string("1\0\0", 3), false},
    };
    TestRegistryKey key;
    for (const Case& c : cases) {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key.path().c_str(), "ScreenSaveUsePassword", c.type,
                                  c.data.data(), static_cast<DWORD>(c.data.size())),
                  ERROR_SUCCESS);
        std::unique_ptr<RegistryKey> desktop =
            RegistryKey::OpenForReading(HKEY_CURRENT_USER, key.path().c_str());
        ASSERT_TRUE(desktop);
        EXPECT_EQ(ScreenSaverPasswordRequired(*desktop), c.required) << "type " << c.type;
    }
}

}  // namespace
