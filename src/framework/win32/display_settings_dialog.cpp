#include "framework/win32/display_settings_dialog.h"

#include <commctrl.h>

#include <vector>

#include "framework/display_settings_model.h"
#include "framework/win32/saver_base.h"
#include "resource_ids.h"

// The Display Settings dialog edits the per-monitor choices kept in the adapter records.
// It keeps what it found when it opened, so that Cancel can put everything back, the
// choices made on other tabs included.

namespace {

// The choices of one adapter that the dialog may change.
struct ScreenChoices {
    bool saved;
    BOOL leaveBlack;
    DWORD preferredWidth;
    DWORD preferredHeight;
    D3DFORMAT preferredFormat;
};

// What the dialog found when it opened, so that Cancel can put it back. It lives on the
// stack of ShowDisplaySettingsDialog and the dialog holds its address.
struct OpenDialogState {
    ScreenChoices adapters[MaxDisplays];
    BOOL allScreensSame;
};

OpenDialogState* OpenStateOf(HWND dialog) {
    return reinterpret_cast<OpenDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void SaveChoices(const SaverBase& saver, OpenDialogState& openDialog) {
    for (DWORD i = 0; i < MaxDisplays; ++i) {
        const AdapterRecord* adapter = saver.adapters[i];
        ScreenChoices& saved = openDialog.adapters[i];
        saved.saved = adapter != nullptr;
        if (adapter != nullptr) {
            saved.leaveBlack = adapter->leaveBlack;
            saved.preferredWidth = adapter->preferredWidth;
            saved.preferredHeight = adapter->preferredHeight;
            saved.preferredFormat = adapter->preferredFormat;
        }
    }
    openDialog.allScreensSame = saver.allScreensSame;
}

void RestoreChoices(SaverBase& saver, const OpenDialogState& openDialog) {
    for (DWORD i = 0; i < MaxDisplays; ++i) {
        AdapterRecord* adapter = saver.adapters[i];
        const ScreenChoices& saved = openDialog.adapters[i];
        if (adapter != nullptr && saved.saved) {
            adapter->leaveBlack = saved.leaveBlack;
            adapter->preferredWidth = saved.preferredWidth;
            adapter->preferredHeight = saved.preferredHeight;
            adapter->preferredFormat = saved.preferredFormat;
        }
    }
    saver.allScreensSame = openDialog.allScreensSame;
}

// The adapter for a run on one screen only: the first with usable hardware, else the
// last with a usable software device, scanning the monitors in table order.
// The monitor of the adapter a one-screen run uses.
bool BestAdapterMonitor(SaverBase& saver, DWORD* monitorIndex) {
    DWORD adapter = 0;
    if (!saver.FindBestAdapter(&adapter) || saver.adapters[adapter] == nullptr ||
        saver.adapters[adapter]->monitorIndex >= saver.monitorCount) {
        return false;
    }
    *monitorIndex = saver.adapters[adapter]->monitorIndex;
    return true;
}

// The monitor the dialog shows: the selected tab's, or without tabs the first monitor
// that has an adapter (the dialog without tabs serves a single adapter).
DWORD PageMonitor(SaverBase& saver, HWND dialog) {
    DWORD monitor = 0;
    if (saver.oneScreenOnly && BestAdapterMonitor(saver, &monitor)) {
        return monitor;
    }
    HWND tabs = GetDlgItem(dialog, IDC_MONITOR_TABS);
    if (tabs != nullptr) {
        const LRESULT selected = SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
        return selected < 0 ? 0 : static_cast<DWORD>(selected);
    }
    for (DWORD i = 0; i < saver.monitorCount; ++i) {
        if (saver.AdapterOfMonitor(i) != nullptr) {
            return i;
        }
    }
    return 0;
}

AdapterRecord* PageAdapter(SaverBase& saver, HWND dialog) {
    const DWORD monitor = PageMonitor(saver, dialog);
    return monitor < saver.monitorCount ? saver.AdapterOfMonitor(monitor) : nullptr;
}

AdapterAbilities AbilitiesOf(const AdapterRecord* adapter) {
    if (adapter == nullptr) {
        return AdapterAbilities{};
    }
    return {true,
            adapter->hasHardware != FALSE,
            adapter->hasUsableHardware != FALSE,
            adapter->hasSoftware != FALSE,
            adapter->hasUsableSoftware != FALSE,
            adapter->disableHardware != FALSE};
}

// The modes of the adapter's current device kind; none when it has no kind.
std::vector<DisplayModeChoice> ModesOf(const AdapterRecord& adapter) {
    std::vector<DisplayModeChoice> modes;
    if (adapter.currentKind >= adapter.deviceKindCount || adapter.currentKind >= MaxDeviceKinds) {
        return modes;
    }
    const DeviceKindRecord& kind = adapter.deviceKinds[adapter.currentKind];
    const DWORD count = kind.modeCount < MaxModesPerKind ? kind.modeCount : MaxModesPerKind;
    for (DWORD i = 0; i < count; ++i) {
        const ModeRecord& mode = kind.modes[i];
        modes.push_back({mode.width, mode.height, static_cast<uint32_t>(mode.format)});
    }
    return modes;
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void EnableControl(HWND dialog, int id, bool enabled) {
    HWND control = GetDlgItem(dialog, id);
    if (control != nullptr) {
        EnableWindow(control, enabled ? TRUE : FALSE);
    }
}

void UpdateModeControls(HWND dialog) {
    const bool nothing = IsChecked(dialog, IDC_DISPLAY_NOTHING);
    const bool controlsEnabled = ModeControlsEnabled(nothing);
    EnableControl(dialog, IDC_MODE_LIST, ModeListEnabled(nothing, IsChecked(dialog, IDC_USE_DESKTOP)));
    EnableControl(dialog, IDC_MODE_LABEL, controlsEnabled);
    EnableControl(dialog, IDC_MODE_GROUP, controlsEnabled);
    EnableControl(dialog, IDC_AUTOMATIC_NOTE, controlsEnabled);
}

void InsertMonitorTabs(const SaverBase& saver, HWND dialog) {
    HWND tabs = GetDlgItem(dialog, IDC_MONITOR_TABS);
    if (tabs == nullptr) {
        return;
    }
    char pattern[101] = {};
    GetDlgItemTextA(dialog, IDC_TAB_LABEL_TEMPLATE, pattern, sizeof(pattern));
    for (DWORD j = 0; j < saver.monitorCount; ++j) {
        char label[128];
        const long number = static_cast<long>(j) + 1;
        FormatNumbers(label, sizeof(label), pattern, &number, 1);
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = label;
        item.iImage = -1;
        SendMessageA(tabs, TCM_INSERTITEMA, j, reinterpret_cast<LPARAM>(&item));
    }
}

void FillModeList(HWND dialog, const AdapterRecord* adapter) {
    HWND list = GetDlgItem(dialog, IDC_MODE_LIST);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    if (adapter == nullptr) {
        return;
    }
    char automatic[64] = {};
    GetDlgItemTextA(dialog, IDC_AUTOMATIC_TEXT, automatic, sizeof(automatic));
    LRESULT item = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(automatic));
    SendMessageA(list, CB_SETITEMDATA, item, static_cast<LPARAM>(AutomaticItemData));

    char pattern[101] = {};
    GetDlgItemTextA(dialog, IDC_MODE_TEXT_TEMPLATE, pattern, sizeof(pattern));
    const std::vector<DisplayModeChoice> modes = ModesOf(*adapter);
    for (size_t i = 0; i < modes.size(); ++i) {
        const long numbers[3] = {static_cast<long>(modes[i].width), static_cast<long>(modes[i].height),
                                 ModeBitDepth(modes[i].format)};
        char text[128];
        FormatNumbers(text, sizeof(text), pattern, numbers, 3);
        item = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(list, CB_SETITEMDATA, item, static_cast<LPARAM>(i));
    }
    const DisplayModeChoice preferred = {adapter->preferredWidth, adapter->preferredHeight,
                                         static_cast<uint32_t>(adapter->preferredFormat)};
    SendMessageA(list, CB_SETCURSEL, ModeListItemFor(modes.data(), modes.size(), preferred), 0);
}

void ChooseListedMode(SaverBase& saver, HWND dialog) {
    AdapterRecord* adapter = PageAdapter(saver, dialog);
    if (adapter == nullptr) {
        return;
    }
    HWND list = GetDlgItem(dialog, IDC_MODE_LIST);
    const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return;
    }
    const long data = static_cast<long>(SendMessageA(list, CB_GETITEMDATA, selected, 0));
    const std::vector<DisplayModeChoice> modes = ModesOf(*adapter);
    DisplayModeChoice preference = {};
    if (PreferenceForItemData(modes.data(), modes.size(), data, &preference)) {
        adapter->preferredWidth = preference.width;
        adapter->preferredHeight = preference.height;
        adapter->preferredFormat = static_cast<D3DFORMAT>(preference.format);
    }
}

void ChooseMonitorUsage(SaverBase& saver, HWND dialog) {
    AdapterRecord* adapter = PageAdapter(saver, dialog);
    if (adapter != nullptr) {
        adapter->leaveBlack = IsChecked(dialog, IDC_DISPLAY_NOTHING) ? TRUE : FALSE;
    }
    UpdateModeControls(dialog);
}

void InitDialog(SaverBase& saver, HWND dialog, OpenDialogState* openDialog) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(openDialog));
    InsertMonitorTabs(saver, dialog);
    if (openDialog != nullptr) {
        SaveChoices(saver, *openDialog);
    }
    saver.RefreshDisplaySettingsPage(dialog);
    CheckDlgButton(dialog, IDC_ALL_SCREENS_SAME, saver.allScreensSame ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_USE_DESKTOP, saver.useDesktopSettings ? BST_CHECKED : BST_UNCHECKED);
    UpdateModeControls(dialog);
}

void HandleCommand(SaverBase& saver, HWND dialog, int id, int notification) {
    switch (id) {
        case IDC_DISPLAY_SAVER:
        case IDC_DISPLAY_NOTHING:
            ChooseMonitorUsage(saver, dialog);
            break;
        case IDC_MODE_LIST:
            if (notification == CBN_SELCHANGE) {
                ChooseListedMode(saver, dialog);
            }
            break;
        case IDC_ALL_SCREENS_SAME:
            saver.allScreensSame = IsChecked(dialog, IDC_ALL_SCREENS_SAME) ? TRUE : FALSE;
            break;
        case IDC_USE_DESKTOP:
            UpdateModeControls(dialog);
            break;
        case IDOK:
            // The dialog with tabs has no "Use Desktop Settings" box: it reads as clear.
            saver.useDesktopSettings = IsChecked(dialog, IDC_USE_DESKTOP) ? 1 : 0;
            EndDialog(dialog, IDOK);
            break;
        case IDCANCEL:
            if (const OpenDialogState* openDialog = OpenStateOf(dialog)) {
                RestoreChoices(saver, *openDialog);
            }
            EndDialog(dialog, IDCANCEL);
            break;
        default:
            break;
    }
}

}  // namespace

int SaverBase::ShowDisplaySettingsDialog(HWND owner) {
    InitCommonControls();  // the tab control's class
    const int resource =
        (adapterCount < 2 || oneScreenOnly) ? IDD_DISPLAY_SETTINGS : IDD_DISPLAY_SETTINGS_MONITORS;
    OpenDialogState openDialog = {};
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(resource), owner, DisplaySettingsProc,
                                            reinterpret_cast<LPARAM>(&openDialog)));
}

void SaverBase::RefreshDisplaySettingsPage(HWND dialog) {
    const DWORD monitor = PageMonitor(*this, dialog);
    const AdapterRecord* adapter = monitor < monitorCount ? AdapterOfMonitor(monitor) : nullptr;
    SetDlgItemTextA(dialog, IDC_ADAPTER_NAME,
                    monitor < monitorCount ? monitors[monitor].adapterDescription : "");

    const AdapterAbilities abilities = AbilitiesOf(adapter);
    char status[201] = {};
    LoadStringA(instance, RenderingStatusTextId(abilities), status, 200);
    SetDlgItemTextA(dialog, IDC_RENDERING_STATUS, status);

    const bool usable = SaverCanUseMonitor(abilities);
    const bool nothing = !usable || adapter->leaveBlack;
    CheckRadioButton(dialog, IDC_DISPLAY_SAVER, IDC_DISPLAY_NOTHING,
                     nothing ? IDC_DISPLAY_NOTHING : IDC_DISPLAY_SAVER);
    EnableControl(dialog, IDC_DISPLAY_SAVER, usable);
    EnableControl(dialog, IDC_DISPLAY_NOTHING, usable);
    EnableControl(dialog, IDC_MONITOR_USAGE, usable);
    UpdateModeControls(dialog);
    FillModeList(dialog, adapter);
}

INT_PTR CALLBACK DisplaySettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    SaverBase* saver = SaverBase::Instance();
    if (saver == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_INITDIALOG:
            InitDialog(*saver, dialog, reinterpret_cast<OpenDialogState*>(lParam));
            return TRUE;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header != nullptr && header->code == static_cast<UINT>(TCN_SELCHANGE)) {
                saver->RefreshDisplaySettingsPage(dialog);
            }
            return TRUE;
        }
        case WM_COMMAND:
            HandleCommand(*saver, dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}
