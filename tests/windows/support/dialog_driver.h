#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Drives modal dialogs as a user would, from inside their own message loop: a thread
// timer hands each queued step the dialog that currently takes input (the newest
// visible, enabled dialog of this thread), so a step may click a button that opens
// another modal dialog and the next step works on that one. A dialog still open when
// the steps have run out is cancelled after a grace period, so a failing test cannot
// hang.
//
// CELESTRA_DIALOG_PAUSE_MS set in the environment holds each dialog that long before its
// first step, to take a screenshot of it.
class DialogDriver {
public:
    using Step = std::function<void(HWND dialog)>;

    DialogDriver& Then(Step step) {
        steps_.push_back(std::move(step));
        return *this;
    }

    // Runs `openDialog` (which shows the first dialog and returns when it has closed)
    // with the steps applied in turn. True when every step ran.
    bool Run(const std::function<void()>& openDialog) {
        active_ = this;
        idleSince_ = GetTickCount();
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &DialogDriver::Tick);
        openDialog();
        KillTimer(nullptr, timer);
        active_ = nullptr;
        const bool allRan = steps_.empty();
        steps_.clear();
        return allRan;
    }

    // The dialog of this thread that takes input now, or null.
    static HWND CurrentDialog() {
        std::vector<HWND> windows;
        EnumThreadWindows(GetCurrentThreadId(), &DialogDriver::Collect, reinterpret_cast<LPARAM>(&windows));
        for (HWND window : windows) {
            char className[16] = {};
            GetClassNameA(window, className, sizeof(className));
            if (std::string(className) == "#32770" && IsWindowVisible(window) && IsWindowEnabled(window)) {
                return window;
            }
        }
        return nullptr;
    }

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM found) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        DialogDriver* driver = active_;
        if (driver == nullptr) {
            return;
        }
        HWND dialog = CurrentDialog();
        if (dialog == nullptr) {
            return;
        }
        if (driver->steps_.empty()) {
            if (GetTickCount() - driver->idleSince_ > GracePeriodMs) {
                ADD_FAILURE() << "a dialog was left open; cancelling it";
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                driver->idleSince_ = GetTickCount();
            }
            return;
        }
        PauseForScreenshot();
        Step step = std::move(driver->steps_.front());
        driver->steps_.pop_front();
        step(dialog);  // may open a nested dialog, which later ticks drive
        if (::testing::Test::HasFatalFailure()) {
            driver->steps_.clear();
        }
        driver->idleSince_ = GetTickCount();
    }

    static void PauseForScreenshot() {
        const char* pause = std::getenv("CELESTRA_DIALOG_PAUSE_MS");
        if (pause == nullptr) {
            return;
        }
        const DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(pause));
        while (GetTickCount() < end) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message != WM_TIMER) {  // no step runs while paused
                    TranslateMessage(&message);
                    DispatchMessageA(&message);
                }
            }
            Sleep(20);
        }
    }

    static constexpr DWORD GracePeriodMs = 3000;
    static inline DialogDriver* active_ = nullptr;
    std::deque<Step> steps_;
    DWORD idleSince_ = 0;
};

// What a user's mouse does to a button: the button toggles itself (check boxes) and
// tells its dialog. Returns only when everything the click opened has closed.
inline void ClickButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    ASSERT_NE(button, nullptr) << "no control " << id;
    SendMessageA(button, BM_CLICK, 0, 0);
}

// A choice in a drop-down list: the list selects the item and tells its dialog.
inline void ChooseListItem(HWND dialog, int id, int item) {
    HWND list = GetDlgItem(dialog, id);
    ASSERT_NE(list, nullptr) << "no control " << id;
    ASSERT_NE(SendMessageA(list, CB_SETCURSEL, item, 0), CB_ERR);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

inline bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

inline bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

inline std::string ControlText(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

inline std::vector<std::string> ListItems(HWND dialog, int id) {
    std::vector<std::string> items;
    const LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[256] = {};
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

inline LRESULT ListSelection(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
}
