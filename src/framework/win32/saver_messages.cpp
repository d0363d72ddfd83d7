#include "framework/win32/saver_base.h"

namespace {

// Mouse positions arrive as two signed 16-bit values.
POINT PositionFromLParam(LPARAM lParam) {
    POINT position;
    position.x = static_cast<short>(LOWORD(lParam));
    position.y = static_cast<short>(HIWORD(lParam));
    return position;
}

bool IsSwallowedSystemCommand(WPARAM command) {
    switch (command & 0xFFF0) {
        case SC_SCREENSAVE:
        case SC_CLOSE:
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
            return true;
        default:
            return false;
    }
}

}  // namespace

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SaverBase* saver = SaverBase::Instance();
    if (saver == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return saver->HandleMessage(window, message, wParam, lParam);
}

// The system sends a few mouse moves when a window appears or the cursor settles, so
// only the sixth move to a new position counts as the user wanting the desktop back.
void SaverBase::CountMouseMove(LPARAM position) {
    const POINT p = PositionFromLParam(position);
    if (p.x == lastMousePosition_.x && p.y == lastMousePosition_.y) {
        return;
    }
    lastMousePosition_ = p;
    ++mouseMoveCount;
    if (mouseMoveCount > 5) {
        RequestExit("the mouse moved");
    }
}

LRESULT SaverBase::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_USER:
            SetTimer(window, 1, 500, nullptr);
            break;
        case WM_TIMER:
            waitingForTimer = FALSE;
            KillTimer(window, 1);
            break;
        case WM_DESTROY:
            if (mode == Preview && preparingStartupObjects_) {
                previewWindowGone_ = true;
            } else if (mode == Preview || mode == Test) {
                EndSaver("its window was destroyed");
            }
            break;
        case WM_SETCURSOR:
            if (mode == Full && !checkingPassword) {
                SetCursor(nullptr);
                return TRUE;
            }
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (mode == Preview && !errorMode) {
                RECT client;
                GetClientRect(window, &client);
                FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            } else {
                PaintWindow(window, dc);
            }
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ACTIVATEAPP:
            if (!wParam && mode != Test) {
                RequestExit("another program became active");
            }
            break;
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (mode != Test) {
                RequestExit("a key or a mouse button was pressed");
            }
            break;
        case WM_MOUSEMOVE:
            if (mode != Test) {
                CountMouseMove(lParam);
            }
            break;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMSUSPEND && verifyPassword == nullptr) {
                RequestExit("the system suspends");
            } else if (wParam == PBT_POWERSETTINGCHANGE) {
                NotePowerSetting(reinterpret_cast<const PowerSettingReport*>(lParam));
            }
            break;
        case WM_SYSCOMMAND:
            if (mode == Full && IsSwallowedSystemCommand(wParam)) {
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
