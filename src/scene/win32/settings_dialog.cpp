#include "scene/win32/settings_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

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

// Index of the first checked radio of the group starting at `firstId`, -1 when none is.
int FirstCheckedRadio(HWND dialog, int firstId, int count) {
    for (int i = 0; i < count; ++i) {
        if (IsChecked(dialog, firstId + i)) {
            return i;
        }
    }
    return -1;
}

void EnableInformativeControls(HWND dialog, bool enabled) {
    Enable(dialog, IDC_PLANET_LIST, enabled);
    Enable(dialog, IDC_FONT_COLOUR, enabled);
}

void EnablePathControls(HWND dialog, bool enabled) {
    Enable(dialog, IDC_AUDIO_PATH, enabled);
    Enable(dialog, IDC_AUDIO_BROWSE, enabled);
}

void SetTrackbarPosition(HWND dialog, int position) {
    SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_SETPOS, TRUE, position);
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

void FillPlanetList(OrrerySaver& saver, HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_PLANET_LIST);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    saver.FillBodyNames();
    for (int i = 0; i < PlanetListItemCount; ++i) {
        const LRESULT item =
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(saver.bodies[i + 1].name));
        SendMessageA(list, CB_SETITEMDATA, item, i);
    }
    SendMessageA(list, CB_SETCURSEL, PlanetListItemOf(saver.settings.planetToView), 0);
}

void InitSettingsDialog(OrrerySaver& saver, HWND dialog) {
    saver.WriteSettings();
    const OrrerySettings& settings = saver.settings;

    SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_SETRANGE, FALSE, MAKELPARAM(0, TrackbarLastPosition));
    SetTrackbarPosition(dialog, TrackbarPositionOfSpeed(settings.speedOfCamera));
    for (const SettingsCheckBox& box : SettingsCheckBoxes) {
        Check(dialog, box.controlId, settings.*box.field != 0);
    }
    CheckRadioButton(dialog, IDC_ARRANGEMENT_FIRST, IDC_ARRANGEMENT_LAST,
                     ArrangementRadioId(settings.arrangement));
    const int cameraRadio = CameraRadioId(settings.cameraSettings);
    CheckRadioButton(dialog, IDC_CAMERA_FIRST, IDC_CAMERA_LAST, cameraRadio);
    EnableInformativeControls(dialog, InformativeControlsEnabled(cameraRadio));
    FillPlanetList(saver, dialog);
    SetDlgItemTextA(dialog, IDC_AUDIO_PATH, settings.audioPath);
    EnablePathControls(dialog, settings.customAudio != 0);
}

void ChooseCamera(HWND dialog, int id) {
    CheckRadioButton(dialog, IDC_CAMERA_FIRST, IDC_CAMERA_LAST, id);
    EnableInformativeControls(dialog, InformativeControlsEnabled(id));
    InvalidateSwatch(dialog);
}

void ChoosePlanet(OrrerySaver& saver, HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_PLANET_LIST);
    const LRESULT item = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR) {
        return;
    }
    const long data = static_cast<long>(SendMessageA(list, CB_GETITEMDATA, item, 0));
    saver.settings.planetToView = PlanetFromListData(data, saver.settings.planetToView);
}

void SetDefaultValues(OrrerySaver& saver, HWND dialog) {
    const DefaultChoices defaults = DefaultButtonChoices();
    CheckRadioButton(dialog, IDC_ARRANGEMENT_FIRST, IDC_ARRANGEMENT_LAST, defaults.arrangementRadioId);
    CheckRadioButton(dialog, IDC_CAMERA_FIRST, IDC_CAMERA_LAST, defaults.cameraRadioId);
    EnableInformativeControls(dialog, InformativeControlsEnabled(defaults.cameraRadioId));
    SetTrackbarPosition(dialog, defaults.trackbarPosition);
    for (int id : DisplayCheckBoxIds) {
        Check(dialog, id, false);
    }
    ApplyDefaultTextColour(saver.settings);
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
    GetDlgItemTextA(dialog, IDC_AUDIO_PATH, typedPath, sizeof(typedPath));
    ConfirmedChoices choices;
    choices.arrangement = FirstCheckedRadio(dialog, IDC_ARRANGEMENT_FIRST, ArrangementChoiceCount);
    choices.cameraMode = FirstCheckedRadio(dialog, IDC_CAMERA_FIRST, CameraChoiceCount);
    choices.trackbarPosition =
        static_cast<long>(SendDlgItemMessageA(dialog, IDC_SPEED_TRACKBAR, TBM_GETPOS, 0, 0));
    for (int i = 0; i < SettingsCheckBoxCount; ++i) {
        choices.checked[i] = IsChecked(dialog, SettingsCheckBoxes[i].controlId);
    }
    choices.typedAudioPath = typedPath;
    ApplyConfirmedChoices(choices, saver.settings);
    saver.WriteSettings();
    EndDialog(dialog, IDOK);
}

void HandleCommand(OrrerySaver& saver, HWND dialog, int id) {
    if (id >= IDC_ARRANGEMENT_FIRST && id <= IDC_ARRANGEMENT_LAST) {
        CheckRadioButton(dialog, IDC_ARRANGEMENT_FIRST, IDC_ARRANGEMENT_LAST, id);
        return;
    }
    if (id >= IDC_CAMERA_FIRST && id <= IDC_CAMERA_LAST) {
        ChooseCamera(dialog, id);
        return;
    }
    switch (id) {
        case IDC_PLANET_LIST:
            ChoosePlanet(saver, dialog);
            break;
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
    const SwatchLook look = SwatchLookFor(IsChecked(dialog, IDC_CAMERA_LAST), saver.settings);
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
