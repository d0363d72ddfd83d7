#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/win32/saver_base.h"
#include "resource_ids.h"
#include "support/dialog_driver.h"
#include "util/copy_string_bounded.h"

// The Display Settings dialog over invented monitors and adapters: it edits the adapter
// records in memory, one tab per monitor when there are several adapters.

namespace {

class DisplaySettings : public ::testing::Test {
protected:
    void SetUp() override { saver_.instance = GetModuleHandleA(nullptr); }

    void AddMonitor(const char* name) {
        MonitorRecord& monitor = saver_.monitors[saver_.monitorCount++];
        CopyStringBounded(monitor.adapterDescription, name);
        monitor.adapterIndex = NoAdapter;
    }

    // An adapter for the last monitor added; its one device kind offers `modes`.
    AdapterRecord* AddAdapter(D3DDEVTYPE type, std::vector<ModeRecord> modes) {
        const DWORD index = saver_.adapterCount++;
        AdapterRecord* adapter = new AdapterRecord();
        saver_.adapters[index] = adapter;
        saver_.monitors[saver_.monitorCount - 1].adapterIndex = index;
        adapter->monitorIndex = saver_.monitorCount - 1;
        const bool hardware = type == D3DDEVTYPE_HAL;
        adapter->hasHardware = adapter->hasUsableHardware = hardware;
        adapter->hasSoftware = adapter->hasUsableSoftware = !hardware;
        adapter->deviceKindCount = 1;
        DeviceKindRecord& kind = adapter->deviceKinds[0];
        kind.deviceType = type;
        kind.modeCount = static_cast<DWORD>(modes.size());
        for (size_t i = 0; i < modes.size(); ++i) {
            kind.modes[i] = modes[i];
        }
        return adapter;
    }

    int Run(DialogDriver& driver) {
        int result = 0;
        EXPECT_TRUE(driver.Run([&] { result = saver_.ShowDisplaySettingsDialog(nullptr); }))
            << "not every step ran";
        return result;
    }

    static std::string StringResource(UINT id) {
        char text[256] = {};
        LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof(text));
        return text;
    }

    // What a click on a tab does: the tab control selects it and tells its dialog.
    static void SelectTab(HWND dialog, int index) {
        HWND tabs = GetDlgItem(dialog, IDC_MONITOR_TABS);
        ASSERT_NE(tabs, nullptr);
        SendMessageA(tabs, TCM_SETCURSEL, index, 0);
        NMHDR header = {tabs, IDC_MONITOR_TABS, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(dialog, WM_NOTIFY, IDC_MONITOR_TABS, reinterpret_cast<LPARAM>(&header));
    }

    static std::vector<std::string> TabLabels(HWND dialog) {
        std::vector<std::string> labels;
        HWND tabs = GetDlgItem(dialog, IDC_MONITOR_TABS);
        const LRESULT count = SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[64] = {};
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            labels.push_back(text);
        }
        return labels;
    }

    static void ExpectModeControlsEnabled(HWND dialog, bool enabled) {
        for (int id : {IDC_MODE_LIST, IDC_MODE_LABEL, IDC_MODE_GROUP, IDC_AUTOMATIC_NOTE}) {
            EXPECT_EQ(Enabled(dialog, id), enabled) << id;
        }
    }

    SaverBase saver_;
};

const ModeRecord Mode640x16 = {640, 480, D3DFMT_R5G6B5, 0x40, D3DFMT_D16};
const ModeRecord Mode640x32 = {640, 480, D3DFMT_X8R8G8B8, 0x40, D3DFMT_D16};
const ModeRecord Mode800x32 = {800, 600, D3DFMT_X8R8G8B8, 0x40, D3DFMT_D16};

TEST_F(DisplaySettings, OneAdapterGetsTheDialogWithoutTabs) {
    AddMonitor("Primary Adapter");
    AdapterRecord* adapter = AddAdapter(D3DDEVTYPE_HAL, {Mode640x16, Mode640x32, Mode800x32});
    adapter->preferredWidth = 640;
    adapter->preferredHeight = 480;
    adapter->preferredFormat = D3DFMT_X8R8G8B8;

    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        EXPECT_EQ(GetDlgItem(dialog, IDC_MONITOR_TABS), nullptr);
        EXPECT_EQ(ControlText(dialog, IDC_ADAPTER_NAME), "Primary Adapter");
        EXPECT_EQ(ControlText(dialog, IDC_RENDERING_STATUS), StringResource(IDS_CAN_USE_HARDWARE));
        const std::vector<std::string> modes = {"Automatic", "640 x 480, 16 bit color",
                                                "640 x 480, 32 bit color", "800 x 600, 32 bit color"};
        EXPECT_EQ(ListItems(dialog, IDC_MODE_LIST), modes);
        EXPECT_EQ(ListSelection(dialog, IDC_MODE_LIST), 2) << "the stored preference";
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_AUTOMATIC_TEXT)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_MODE_TEXT_TEMPLATE)));
        EXPECT_FALSE(Checked(dialog, IDC_USE_DESKTOP));
        EXPECT_TRUE(Enabled(dialog, IDC_MODE_LIST));

        ChooseListItem(dialog, IDC_MODE_LIST, 3);
        EXPECT_EQ(adapter->preferredWidth, 800u);
        EXPECT_EQ(adapter->preferredHeight, 600u);
        EXPECT_EQ(adapter->preferredFormat, D3DFMT_X8R8G8B8);
        ClickButton(dialog, IDC_USE_DESKTOP);
        EXPECT_FALSE(Enabled(dialog, IDC_MODE_LIST)) << "the desktop's mode is used";
        EXPECT_EQ(saver_.useDesktopSettings, 0) << "the flag changes only with OK";
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(Run(driver), IDOK);
    EXPECT_EQ(saver_.useDesktopSettings, 1);
    EXPECT_EQ(adapter->preferredWidth, 800u);
}

TEST_F(DisplaySettings, UseDesktopSettingsClosesTheModeListFromTheStart) {
    AddMonitor("Primary Adapter");
    AddAdapter(D3DDEVTYPE_HAL, {Mode640x16});
    saver_.useDesktopSettings = 1;
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_USE_DESKTOP));
        EXPECT_FALSE(Enabled(dialog, IDC_MODE_LIST));
        ClickButton(dialog, IDC_USE_DESKTOP);
        EXPECT_TRUE(Enabled(dialog, IDC_MODE_LIST));
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(Run(driver), IDCANCEL);
    EXPECT_EQ(saver_.useDesktopSettings, 1) << "Cancel keeps the flag";
}

TEST_F(DisplaySettings, WithoutTabsTheOneAdapterIsShownWhereverItsMonitorIs) {
    AddMonitor("Card Without Direct3D");
    AddMonitor("Direct3D Card");
    AddAdapter(D3DDEVTYPE_SW, {Mode640x16});
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, IDC_ADAPTER_NAME), "Direct3D Card");
        EXPECT_EQ(ControlText(dialog, IDC_RENDERING_STATUS), StringResource(IDS_CAN_USE_SOFTWARE));
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(Run(driver), IDCANCEL);
}

TEST_F(DisplaySettings, OneScreenOnlyShowsTheBestAdapterWithoutTabs) {
    saver_.oneScreenOnly = TRUE;
    AddMonitor("Software Card");
    AddAdapter(D3DDEVTYPE_SW, {Mode640x16});
    AddMonitor("Hardware Card");
    AdapterRecord* best = AddAdapter(D3DDEVTYPE_HAL, {Mode640x16, Mode800x32});
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        EXPECT_EQ(GetDlgItem(dialog, IDC_MONITOR_TABS), nullptr);
        EXPECT_EQ(ControlText(dialog, IDC_ADAPTER_NAME), "Hardware Card");
        ChooseListItem(dialog, IDC_MODE_LIST, 2);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(Run(driver), IDOK);
    EXPECT_EQ(best->preferredWidth, 800u);
}

// Three monitors: hardware, software only, and one that no adapter drives.
class ThreeMonitors : public DisplaySettings {
protected:
    void SetUp() override {
        DisplaySettings::SetUp();
        AddMonitor("First Card");
        hardware_ = AddAdapter(D3DDEVTYPE_HAL, {Mode640x16, Mode640x32});
        AddMonitor("Second Card");
        software_ = AddAdapter(D3DDEVTYPE_SW, {Mode640x16, Mode800x32});
        software_->preferredWidth = 800;
        software_->preferredHeight = 600;
        software_->preferredFormat = D3DFMT_X8R8G8B8;
        AddMonitor("Third Card");
    }

    AdapterRecord* hardware_ = nullptr;
    AdapterRecord* software_ = nullptr;
};

TEST_F(ThreeMonitors, EveryMonitorHasItsTab) {
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        EXPECT_EQ(TabLabels(dialog), (std::vector<std::string>{"Monitor 1", "Monitor 2", "Monitor 3"}));
        EXPECT_EQ(GetDlgItem(dialog, IDC_USE_DESKTOP), nullptr);
        for (int id : {IDC_TAB_LABEL_TEMPLATE, IDC_AUTOMATIC_TEXT, IDC_MODE_TEXT_TEMPLATE}) {
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, id))) << id << " is only a text template";
        }
        EXPECT_EQ(ControlText(dialog, IDC_ADAPTER_NAME), "First Card");
        EXPECT_EQ(ControlText(dialog, IDC_RENDERING_STATUS), StringResource(IDS_CAN_USE_HARDWARE));
        EXPECT_TRUE(Checked(dialog, IDC_DISPLAY_SAVER));
        EXPECT_EQ(ListSelection(dialog, IDC_MODE_LIST), 0) << "Automatic";

        SelectTab(dialog, 1);
        EXPECT_EQ(ControlText(dialog, IDC_ADAPTER_NAME), "Second Card");
        EXPECT_EQ(ControlText(dialog, IDC_RENDERING_STATUS), StringResource(IDS_CAN_USE_SOFTWARE));
        EXPECT_EQ(
            ListItems(dialog, IDC_MODE_LIST),
            (std::vector<std::string>{"Automatic", "640 by 480, 16 bit color", "800 by 600, 32 bit color"}));
        EXPECT_EQ(ListSelection(dialog, IDC_MODE_LIST), 2);
        ExpectModeControlsEnabled(dialog, true);

        SelectTab(dialog, 2);
        EXPECT_EQ(ControlText(dialog, IDC_ADAPTER_NAME), "Third Card");
        EXPECT_EQ(ControlText(dialog, IDC_RENDERING_STATUS), StringResource(IDS_CANNOT_DISPLAY));
        EXPECT_TRUE(Checked(dialog, IDC_DISPLAY_NOTHING));
        EXPECT_FALSE(Checked(dialog, IDC_DISPLAY_SAVER));
        for (int id : {IDC_DISPLAY_SAVER, IDC_DISPLAY_NOTHING, IDC_MONITOR_USAGE}) {
            EXPECT_FALSE(Enabled(dialog, id)) << id;
        }
        ExpectModeControlsEnabled(dialog, false);
        EXPECT_TRUE(ListItems(dialog, IDC_MODE_LIST).empty());

        SelectTab(dialog, 0);
        EXPECT_TRUE(Enabled(dialog, IDC_DISPLAY_SAVER));
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(Run(driver), IDCANCEL);
}

TEST_F(ThreeMonitors, DisplayingNothingClosesTheModeControls) {
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        SelectTab(dialog, 1);
        ClickButton(dialog, IDC_DISPLAY_NOTHING);
        EXPECT_TRUE(software_->leaveBlack);
        EXPECT_FALSE(hardware_->leaveBlack);
        ExpectModeControlsEnabled(dialog, false);
        SelectTab(dialog, 0);
        EXPECT_TRUE(Checked(dialog, IDC_DISPLAY_SAVER));
        ExpectModeControlsEnabled(dialog, true);
        SelectTab(dialog, 1);
        EXPECT_TRUE(Checked(dialog, IDC_DISPLAY_NOTHING)) << "the choice stays with its monitor";
        ClickButton(dialog, IDC_DISPLAY_SAVER);
        EXPECT_FALSE(software_->leaveBlack);
        ExpectModeControlsEnabled(dialog, true);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(Run(driver), IDOK);
}

TEST_F(ThreeMonitors, CancelRestoresTheChoicesOfEveryTab) {
    saver_.useDesktopSettings = 1;
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        ClickButton(dialog, IDC_DISPLAY_NOTHING);
        SelectTab(dialog, 1);
        ChooseListItem(dialog, IDC_MODE_LIST, 0);
        ClickButton(dialog, IDC_ALL_SCREENS_SAME);
        EXPECT_TRUE(hardware_->leaveBlack);
        EXPECT_EQ(software_->preferredWidth, 0u);
        EXPECT_TRUE(saver_.allScreensSame);
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(Run(driver), IDCANCEL);
    EXPECT_FALSE(hardware_->leaveBlack);
    EXPECT_EQ(software_->preferredWidth, 800u);
    EXPECT_EQ(software_->preferredFormat, D3DFMT_X8R8G8B8);
    EXPECT_FALSE(saver_.allScreensSame);
    EXPECT_EQ(saver_.useDesktopSettings, 1);
}

TEST_F(ThreeMonitors, OkKeepsTheChoicesAndClearsUseDesktopSettings) {
    saver_.useDesktopSettings = 1;
    saver_.allScreensSame = TRUE;
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_ALL_SCREENS_SAME));
        EXPECT_TRUE(Enabled(dialog, IDC_MODE_LIST)) << "no box here could open it again";
        ChooseListItem(dialog, IDC_MODE_LIST, 1);
        ClickButton(dialog, IDC_ALL_SCREENS_SAME);
        ClickButton(dialog, IDOK);
    });
    EXPECT_EQ(Run(driver), IDOK);
    EXPECT_EQ(hardware_->preferredWidth, 640u);
    EXPECT_EQ(hardware_->preferredFormat, D3DFMT_R5G6B5);
    EXPECT_FALSE(saver_.allScreensSame);
    EXPECT_EQ(saver_.useDesktopSettings, 0) << "the dialog with tabs offers no desktop settings";
}

TEST_F(DisplaySettings, AnAdapterWithoutUsableDevicesCannotBeChosen) {
    AddMonitor("Old Card");
    AdapterRecord* adapter = AddAdapter(D3DDEVTYPE_HAL, {});
    adapter->hasUsableHardware = FALSE;  // a HAL that offers no mode
    adapter->deviceKindCount = 0;
    AddMonitor("New Card");
    AddAdapter(D3DDEVTYPE_HAL, {Mode640x16});
    DialogDriver driver;
    driver.Then([&](HWND dialog) {
        EXPECT_EQ(ControlText(dialog, IDC_RENDERING_STATUS), StringResource(IDS_CANNOT_DISPLAY));
        EXPECT_TRUE(Checked(dialog, IDC_DISPLAY_NOTHING));
        EXPECT_FALSE(Enabled(dialog, IDC_DISPLAY_SAVER));
        EXPECT_EQ(ListItems(dialog, IDC_MODE_LIST), std::vector<std::string>{"Automatic"});
        ClickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(Run(driver), IDCANCEL);
    EXPECT_FALSE(adapter->leaveBlack) << "showing the state is no choice";
}

}  // namespace
