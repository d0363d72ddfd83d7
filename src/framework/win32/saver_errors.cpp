#include <windows.h>
#include <mmsystem.h>

#include "framework/error_box.h"
#include "framework/status_codes.h"
#include "framework/win32/multi_monitor_api.h"
#include "framework/win32/saver_base.h"

namespace {

ErrorBox BoxOf(const MonitorRecord& monitor) {
    return ErrorBox{monitor.boxX,      monitor.boxY,      monitor.boxWidth,
                    monitor.boxHeight, monitor.boxSpeedX, monitor.boxSpeedY};
}

void StoreBox(MonitorRecord& monitor, const ErrorBox& box) {
    monitor.boxX = box.x;
    monitor.boxY = box.y;
    monitor.boxWidth = box.width;
    monitor.boxHeight = box.height;
    monitor.boxSpeedX = box.speedX;
    monitor.boxSpeedY = box.speedY;
}

RECT ToRect(const ScreenRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}
ScreenRect ToScreenRect(const RECT& r) {
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

// The monitor's screen rectangle in the client coordinates of its window.
RECT ScreenRectInClient(HWND window, const RECT& screen) {
    POINT corners[2] = {{screen.left, screen.top}, {screen.right, screen.bottom}};
    ScreenToClient(window, &corners[0]);
    ScreenToClient(window, &corners[1]);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

}  // namespace

BOOL SaverBase::ErrorText(HRESULT code, char* buffer, DWORD size) {
    const UINT id = ErrorMessageId(code);
    LoadStringA(GetModuleHandleA(nullptr), id, buffer, static_cast<int>(size));
    return id != GenericErrorMessageId;
}

HRESULT SaverBase::ShowError(HRESULT code) {
    char text[512] = {};
    ErrorText(code, text, sizeof(text));
    MessageBoxA(mainWindow, text, windowTitle, MB_ICONERROR);
    return code;
}

void SaverBase::AnimateErrorBox() {
    if (screenDeviceCount > 0) {
        ReleaseScreenDevices();
    }
    const DWORD now = timeGetTime();
    if (lastErrorBoxTick_ == 0) {
        lastErrorBoxTick_ = now;
    }
    const float seconds = static_cast<float>(now - lastErrorBoxTick_) / 1000.0f;
    lastErrorBoxTick_ = now;
    if (errorText[0] == '\0') {
        ErrorText(errorCode, errorText, sizeof(errorText));
    }

    for (DWORD i = 0; i < monitorCount; ++i) {
        MonitorRecord& monitor = monitors[i];
        if (monitor.window == nullptr) {
            continue;
        }
        const RECT bounds =
            (mode == Full) ? ScreenRectInClient(monitor.window, monitor.screenRect) : renderTotal;
        ErrorBox box = BoxOf(monitor);
        if (box.width == 0.0f) {
            box = PlaceErrorBox(ToScreenRect(bounds), mode == Preview);
            StoreBox(monitor, box);
            if (mode == Preview) {
                InvalidateRect(monitor.window, nullptr, FALSE);
                UpdateWindow(monitor.window);
            }
            continue;
        }
        if (mode == Preview) {
            continue;
        }
        const RECT before = ToRect(ErrorBoxRect(box));
        MoveErrorBox(box, ToScreenRect(bounds), seconds);
        StoreBox(monitor, box);
        const RECT after = ToRect(ErrorBoxRect(box));
        if (after.left != before.left || after.top != before.top) {
            InvalidateRect(monitor.window, &before, FALSE);
            InvalidateRect(monitor.window, &after, FALSE);
            UpdateWindow(monitor.window);
        }
    }
}

namespace {

// The record that owns the window holds its box: a Test or Preview window keeps it in
// record 0 whichever monitor it stands on. A window of no record paints the box of the
// monitor it is on.
MonitorRecord* MonitorRecordOfWindow(MonitorRecord* monitors, DWORD monitorCount, HWND window) {
    for (DWORD i = 0; i < monitorCount; ++i) {
        if (window != nullptr && monitors[i].window == window) {
            return &monitors[i];
        }
    }
    const HMONITOR handle = MultiMonitorApi::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    for (DWORD i = 0; i < monitorCount; ++i) {
        if (monitors[i].monitorHandle == handle) {
            return &monitors[i];
        }
    }
    return nullptr;
}

}  // namespace

void SaverBase::PaintWindow(HWND window, HDC dc) {
    MonitorRecord* monitor = MonitorRecordOfWindow(monitors, monitorCount, window);
    if (monitor == nullptr) {
        return;
    }
    RECT box = ToRect(ErrorBoxRect(BoxOf(*monitor)));
    FillRect(dc, &box, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    RECT measured = box;
    const int textHeight = DrawTextA(dc, errorText, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    RECT textRect = box;
    textRect.top = (box.bottom + box.top - textHeight) / 2;
    DrawTextA(dc, errorText, -1, &textRect, DT_WORDBREAK | DT_CENTER);

    ExcludeClipRect(dc, box.left, box.top, box.right, box.bottom);
    // A Test or Preview window need not stand on its record's monitor: all of its client
    // area is black.
    RECT screen = monitor->screenRect;
    if (window != nullptr) {
        if (mode == Full) {
            screen = ScreenRectInClient(window, monitor->screenRect);
        } else {
            GetClientRect(window, &screen);
        }
    }
    FillRect(dc, &screen, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
