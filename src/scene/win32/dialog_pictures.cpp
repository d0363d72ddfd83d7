#include "scene/win32/dialog_pictures.h"

#include "resource_ids.h"
#include "settings/settings_dialog_model.h"

namespace {

struct DialogPicture {
    int controlId;
    int bitmapId;
};

constexpr DialogPicture Pictures[] = {{IDC_SPACE_PICTURE, IDB_SPACE_PICTURE}, {IDC_LOGO, IDB_MAKER_LOGO}};

PictureSize ControlSize(HWND control) {
    RECT client = {};
    GetClientRect(control, &client);
    return {client.right - client.left, client.bottom - client.top};
}

// `bitmap` stretched to `size` with halftone filtering, as a 24-bit DIB section (a
// picture without alpha, which the static control shows as it is); null on failure.
HBITMAP StretchedCopy(HBITMAP bitmap, PictureSize from, PictureSize size) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC source = CreateCompatibleDC(nullptr);
    HDC target = CreateCompatibleDC(nullptr);
    bool drawn = false;
    if (copy != nullptr && source != nullptr && target != nullptr) {
        HGDIOBJ oldSource = SelectObject(source, bitmap);
        HGDIOBJ oldTarget = SelectObject(target, copy);
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);  // as HALFTONE asks
        drawn = StretchBlt(target, 0, 0, size.width, size.height, source, 0, 0, from.width, from.height,
                           SRCCOPY) != FALSE;
        SelectObject(target, oldTarget);
        SelectObject(source, oldSource);
    }
    if (target != nullptr) {
        DeleteDC(target);
    }
    if (source != nullptr) {
        DeleteDC(source);
    }
    if (!drawn && copy != nullptr) {
        DeleteObject(copy);
        copy = nullptr;
    }
    return copy;
}

void FitPicture(HWND control, HINSTANCE instance, int bitmapId) {
    HBITMAP original = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (original == nullptr) {
        return;
    }
    BITMAP description = {};
    GetObjectA(original, sizeof(description), &description);
    const PictureSize own = {description.bmWidth, description.bmHeight};
    const PictureSize shown = DialogPictureSize(own, ControlSize(control));
    if (shown.width != own.width || shown.height != own.height) {
        HBITMAP stretched = StretchedCopy(original, own, shown);
        if (stretched != nullptr) {
            // The control gives back the bitmap it loaded itself, which is then ours to delete.
            HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
                SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(stretched)));
            if (previous != nullptr) {
                DeleteObject(previous);
            }
        }
    }
    DeleteObject(original);
}

}  // namespace

void FitDialogPictures(HWND dialog, HINSTANCE instance) {
    for (const DialogPicture& picture : Pictures) {
        HWND control = GetDlgItem(dialog, picture.controlId);
        if (control != nullptr) {
            FitPicture(control, instance, picture.bitmapId);
        }
    }
}

// Every picture is taken back from its control and deleted: the stretched copies are the
// dialog's, and a picture the control still has from its template would be deleted by
// the control itself, which then finds none.
void ReleaseDialogPictures(HWND dialog) {
    for (const DialogPicture& picture : Pictures) {
        HWND control = GetDlgItem(dialog, picture.controlId);
        if (control == nullptr) {
            continue;
        }
        HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (shown != nullptr) {
            DeleteObject(shown);
        }
    }
}
