#include "scene/win32/settings_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>

#include "resource_ids.h"
#include "scene/win32/dialog_pictures.h"
#include "scene/win32/orrery_saver.h"
#include "settings/settings_dialog_model.h"

// The settings dialog. The settings record is its only model: the planet, the colour and
// a browsed path land in it at once, everything else is read from the controls on OK.
// The dialog stores the record when it opens, so Cancel can read back exactly that.

namespace {

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void Check(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Enable(HWND dialog, int id, bool enabled) {
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

// The value of the group's first checked radio, none when no radio is checked.
std::optional<int32_t> CheckedRadio(HWND dialog, const SettingControl& group) {
    const RadioChoice* end = group.radios + group.radioCount;
    const RadioChoice* radio =
        std::find_if(group.radios, end, [&](const RadioChoice& r) { return IsChecked(dialog, r.controlId); });
    return radio != end ? std::optional<int32_t>(radio->value) : std::nullopt;
}

void EnablePathControls(HWND dialog, bool enabled) {
    Enable(dialog, IDC_AUDIO_PATH, enabled);
    Enable(dialog, IDC_AUDIO_BROWSE, enabled);
}

// The colour swatch: the area of the hidden control 1018, in dialog client coordinates.
RECT SwatchRect(HWND dialog) {
    RECT rect = {};
    GetWindowRect(GetDlgItem(dialog, IDC_COLOUR_SWATCH), &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ScreenToClient(dialog, &corners[0]);
    ScreenToClient(dialog, &corners[1]);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void InvalidateSwatch(HWND dialog) {
    const RECT swatch = SwatchRect(dialog);
    InvalidateRect(dialog, &swatch, TRUE);
}

// The planet list and "Font color..." serve informative mode only, and the swatch shows
// the colour only then; the time speed serves today's sky only. Modes are named by their
// values, wherever their radios are.
void ShowDependentControls(HWND dialog) {
    const bool informative = CheckedRadio(dialog, CameraRadios) == CameraPlanetView;
    Enable(dialog, IDC_PLANET_LIST, informative);
    Enable(dialog, IDC_FONT_COLOUR, informative);
    Enable(dialog, IDC_TIME_SPEED, CheckedRadio(dialog, ArrangementRadios) == ArrangementTodaysSky);
    InvalidateSwatch(dialog);
}

// A value's stored number in its control; a radio group checks the radio of the value
// and clears the others, wherever their ids lie.
void ShowNumber(HWND dialog, const StoredSetting& setting, int32_t number) {
    const int id = setting.control.id;
    switch (setting.control.kind) {
        case CheckBox:
            Check(dialog, id, number != 0);
            break;
        case RadioGroup:
            for (int i = 0; i < setting.control.radioCount; ++i) {
                Check(dialog, setting.control.radios[i].controlId, setting.control.radios[i].value == number);
            }
            break;
        case DropDownList:
            SendDlgItemMessageA(dialog, id, CB_SETCURSEL, number - setting.low, 0);
            break;
        case Trackbar:
            SendDlgItemMessageA(dialog, id, TBM_SETRANGE, FALSE, MAKELPARAM(setting.low, setting.high));
            SendDlgItemMessageA(dialog, id, TBM_SETPOS, TRUE, number);
            break;
        default:
            break;
    }
}

// What a check box, radio group or trackbar answers for OK; none for other controls.
std::optional<int32_t> ConfirmedNumber(HWND dialog, const StoredSetting& setting) {
    const int id = setting.control.id;
    switch (setting.control.kind) {
        case CheckBox:
            return IsChecked(dialog, id) ? 1 : 0;
        case RadioGroup:
            return CheckedRadio(dialog, setting.control);
        case Trackbar:
            return static_cast<int32_t>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0));
        default:
            return std::nullopt;
    }
}

// Item i of a drop-down list stands for the value low + i: the row's own texts, or for the
// planet list body low + i of the catalogue.
void FillList(OrrerySaver& saver, HWND dialog, const StoredSetting& setting) {
    HWND list = GetDlgItem(dialog, setting.control.id);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    saver.FillBodyNames();
    for (int i = 0; i <= setting.high - setting.low; ++i) {
        const char* text =
            setting.control.items != nullptr ? setting.control.items[i] : saver.bodies[setting.low + i].name;
        const LRESULT item = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(list, CB_SETITEMDATA, item, i);
    }
}

void InitSettingsDialog(OrrerySaver& saver, HWND dialog) {
    saver.WriteSettings();
    const OrrerySettings& settings = saver.settings;
    for (const StoredSetting& setting : StoredSettings) {
        if (setting.control.kind == DropDownList) {
            FillList(saver, dialog, setting);
        } else if (setting.control.kind == PathBox) {
            SetDlgItemTextA(dialog, setting.control.id, settings.*setting.field.path);
        }
        ShowNumber(dialog, setting, ShownNumber(setting, settings));
    }
    ShowDependentControls(dialog);
    EnablePathControls(dialog, settings.customAudio != 0);
}

// A radio checks itself within its group; the list's choice lands in the record at once.
bool ChooseSettingControl(OrrerySaver& saver, HWND dialog, int id) {
    for (const StoredSetting& setting : StoredSettings) {
        if (const std::optional<int32_t> radio = RadioValue(setting.control, id)) {
            ShowNumber(dialog, setting, *radio);
            ShowDependentControls(dialog);
            return true;
        }
        if (setting.control.kind == DropDownList && setting.control.id == id) {
            // No selection (CB_ERR) has no item data either: CB_ERR again.
            const LRESULT item = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
            const long data = static_cast<long>(SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, item, 0));
            TakeShownNumber(setting, ListValue(setting, data), saver.settings);
            return true;
        }
    }
    return false;
}

void SetDefaultValues(OrrerySaver& saver, HWND dialog) {
    for (const StoredSetting& setting : StoredSettings) {
        if ((setting.resets & ButtonReset) != 0) {
            ShowNumber(dialog, setting, setting.byDefault);
        } else if (setting.field.encoding == SettingField::CameraSpeed) {
            ShowNumber(dialog, setting, DefaultButtonTrackbarPosition);
        }
    }
    ApplyDefaultButtonToRecord(saver.settings);
    ShowDependentControls(dialog);
    InvalidateRect(dialog, nullptr, TRUE);
}

// The colour dialog starts on the current colour, so confirming it unchanged keeps it.
void ChooseTextColour(OrrerySaver& saver, HWND dialog) {
    COLORREF customColours[16];
    for (COLORREF& colour : customColours) {
        colour = RGB(255, 255, 255);
    }
    customColours[0] = TextColourRef(saver.settings);
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof(choice);
    choice.hwndOwner = dialog;
    choice.rgbResult = TextColourRef(saver.settings);
    choice.lpCustColors = customColours;
    choice.Flags = CC_ANYCOLOR | CC_RGBINIT;
    if (ChooseColorA(&choice)) {
        SetTextColour(saver.settings, choice.rgbResult);
        InvalidateSwatch(dialog);
    }
}

void ShowAudioBoxes(HWND dialog, const AudioBoxes& boxes) {
    Check(dialog, IDC_AUDIO_DEFAULT, boxes.defaultChecked);
    Check(dialog, IDC_AUDIO_CUSTOM, boxes.customChecked);
    EnablePathControls(dialog, boxes.pathEnabled);
}

AudioBoxes CurrentAudioBoxes(HWND dialog) {
    return {IsChecked(dialog, IDC_AUDIO_DEFAULT), IsChecked(dialog, IDC_AUDIO_CUSTOM),
            IsWindowEnabled(GetDlgItem(dialog, IDC_AUDIO_PATH)) != FALSE};
}

void BrowseForMusic(OrrerySaver& saver, HWND dialog) {
    saver.BrowseMusicFile(saver.settings.audioPath, dialog);
    SetDlgItemTextA(dialog, IDC_AUDIO_PATH, saver.settings.audioPath);
}

void ConfirmSettings(OrrerySaver& saver, HWND dialog) {
    char typedPath[MaxTypedPathLength + 1] = {};
    for (const StoredSetting& setting : StoredSettings) {
        TakeShownNumber(setting, ConfirmedNumber(dialog, setting), saver.settings);
        if (setting.control.kind == PathBox) {
            GetDlgItemTextA(dialog, setting.control.id, typedPath, sizeof(typedPath));
        }
    }
    TakeTypedAudioPath(typedPath, saver.settings);  // after "Custom Audio"
    saver.WriteSettings();
    EndDialog(dialog, IDOK);
}

void HandleCommand(OrrerySaver& saver, HWND dialog, int id) {
    if (ChooseSettingControl(saver, dialog, id)) {
        return;
    }
    switch (id) {
        case IDC_SET_DEFAULTS:
            SetDefaultValues(saver, dialog);
            break;
        case IDC_FONT_COLOUR:
            ChooseTextColour(saver, dialog);
            break;
        case IDC_AUDIO_CUSTOM:
            ShowAudioBoxes(dialog, AudioBoxesAfterCustomClicked(CurrentAudioBoxes(dialog)));
            break;
        case IDC_AUDIO_DEFAULT:
            ShowAudioBoxes(dialog, AudioBoxesAfterDefaultClicked(CurrentAudioBoxes(dialog)));
            break;
        case IDC_AUDIO_BROWSE:
            BrowseForMusic(saver, dialog);
            break;
        case IDC_DISPLAY_SETTINGS:
            saver.ShowDisplaySettingsDialog(dialog);
            break;
        case IDOK:
            ConfirmSettings(saver, dialog);
            break;
        case IDCANCEL:
            saver.ReadSettings();
            EndDialog(dialog, IDCANCEL);
            break;
        default:
            break;
    }
}

void PaintSwatch(const OrrerySaver& saver, HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    const RECT swatch = SwatchRect(dialog);
    const SwatchLook look =
        SwatchLookFor(CheckedRadio(dialog, CameraRadios) == CameraPlanetView, saver.settings);
    HPEN pen = CreatePen(PS_SOLID, 1, look.penColourRef);
    HBRUSH ownBrush = look.fillWithTextColour ? CreateSolidBrush(look.fillColourRef) : nullptr;
    HBRUSH brush = look.fillWithTextColour ? ownBrush : GetSysColorBrush(COLOR_WINDOW);
    if (dc != nullptr && pen != nullptr && brush != nullptr) {
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
    }
    if (ownBrush != nullptr) {
        DeleteObject(ownBrush);
    }
    if (pen != nullptr) {
        DeleteObject(pen);
    }
    EndPaint(dialog, &paint);
}

bool CursorOverLogo(HWND dialog) {
    RECT logo = {};
    POINT cursor = {};
    GetWindowRect(GetDlgItem(dialog, IDC_LOGO), &logo);
    GetCursorPos(&cursor);
    return PointStrictlyInside(logo.left, logo.top, logo.right, logo.bottom, cursor.x, cursor.y);
}

void TrackLogoCursor(HWND dialog) {
    SetCursor(LoadCursorA(nullptr, CursorOverLogo(dialog) ? IDC_HAND : IDC_ARROW));
}

void OpenLogoLink(HWND dialog) {
    if (CursorOverLogo(dialog)) {
        ShellExecuteA(dialog, "open", MakerHomePage, nullptr, nullptr, SW_SHOWNORMAL);
    }
}

}  // namespace

void OrrerySaver::ShowSettingsDialog() {
    // A handle on the command line that names no window would make the dialog fail.
    HWND owner = (parentWindow != nullptr && IsWindow(parentWindow)) ? parentWindow : nullptr;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, SettingsDialogProc, 0);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    OrrerySaver* saver = OrrerySaver::Instance();
    if (saver == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_INITDIALOG:
            InitSettingsDialog(*saver, dialog);
            FitDialogPictures(dialog, saver->instance);
            return TRUE;
        case WM_COMMAND:
            HandleCommand(*saver, dialog, LOWORD(wParam));
            return TRUE;
        case WM_PAINT:
            PaintSwatch(*saver, dialog);
            return TRUE;
        case WM_MOUSEMOVE:
            TrackLogoCursor(dialog);
            return TRUE;
        case WM_LBUTTONDOWN:
            OpenLogoLink(dialog);
            return TRUE;
        case WM_DESTROY:
            ReleaseDialogPictures(dialog);
            return FALSE;  // the dialog manager's own clean-up follows
        default:
            return FALSE;
    }
}
