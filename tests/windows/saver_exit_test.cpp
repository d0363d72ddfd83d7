#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/test_saver.h"

namespace {

LPARAM Position(int x, int y) {
    return MAKELPARAM(x, y);
}

class ExitRules : public ::testing::Test {
protected:
    void TearDown() override {
        saver_.DestroyWindows();
        PumpMessages();
    }

    void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        SendMessageA(saver_.mainWindow, message, wParam, lParam);
    }

    TestSaver saver_;
};

TEST_F(ExitRules, FullScreenEndsOnAKey) {
    ASSERT_EQ(saver_.Start("ssaver.scr /s"), S_OK);
    Send(WM_KEYDOWN, VK_SHIFT);
    EXPECT_TRUE(saver_.Ended());
    EXPECT_TRUE(PumpMessages()) << "the loop is told to quit";
}

TEST_F(ExitRules, FullScreenEndsOnEachMouseButton) {
    for (UINT button : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        TestSaver saver;
        ASSERT_EQ(saver.Start("ssaver.scr /s"), S_OK);
        SendMessageA(saver.mainWindow, button, 0, Position(5, 5));
        EXPECT_TRUE(saver.Ended()) << button;
        saver.DestroyWindows();
        PumpMessages();
    }
}

TEST_F(ExitRules, FullScreenEndsOnTheSixthMoveToANewPosition) {
    ASSERT_EQ(saver_.Start("ssaver.scr /s"), S_OK);
    for (int i = 0; i < 5; ++i) {
        Send(WM_MOUSEMOVE, 0, Position(100 + i, 200));
        Send(WM_MOUSEMOVE, 0, Position(100 + i, 200));  // the same place does not count
    }
    EXPECT_FALSE(saver_.Ended());
    EXPECT_EQ(saver_.mouseMoveCount, 5u);
    Send(WM_MOUSEMOVE, 0, Position(300, 200));
    EXPECT_TRUE(saver_.Ended());
}

TEST_F(ExitRules, FullScreenEndsWhenItLosesActivationOrTheMachineSuspends) {
    ASSERT_EQ(saver_.Start("ssaver.scr /s"), S_OK);
    Send(WM_ACTIVATEAPP, TRUE);
    EXPECT_FALSE(saver_.Ended()) << "gaining activation is no reason to stop";
    Send(WM_ACTIVATEAPP, FALSE);
    EXPECT_TRUE(saver_.Ended());

    TestSaver suspended;
    ASSERT_EQ(suspended.Start("ssaver.scr /s"), S_OK);
    SendMessageA(suspended.mainWindow, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_TRUE(suspended.Ended());
    suspended.DestroyWindows();
}

TEST_F(ExitRules, FullScreenSwallowsCloseAndScreenSaveCommands) {
    ASSERT_EQ(saver_.Start("ssaver.scr /s"), S_OK);
    for (WPARAM command : {SC_CLOSE, SC_SCREENSAVE, SC_NEXTWINDOW, SC_PREVWINDOW}) {
        EXPECT_EQ(SendMessageA(saver_.mainWindow, WM_SYSCOMMAND, command, 0), 0);
    }
    PumpMessages();
    EXPECT_TRUE(IsWindow(saver_.mainWindow));
    EXPECT_FALSE(saver_.Ended());
}

TEST_F(ExitRules, FullScreenHidesTheCursor) {
    ASSERT_EQ(saver_.Start("ssaver.scr /s"), S_OK);
    EXPECT_EQ(SendMessageA(saver_.mainWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(saver_.mainWindow),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
}

// The last position seen belongs to the saver: a new one counts its first move even to
// the place where the previous one saw the mouse last.
TEST_F(ExitRules, EverySaverCountsItsFirstMove) {
    for (int run = 0; run < 2; ++run) {
        TestSaver saver;
        ASSERT_EQ(saver.Start("ssaver.scr /s"), S_OK);
        SendMessageA(saver.mainWindow, WM_MOUSEMOVE, 0, Position(100, 200));
        EXPECT_EQ(saver.mouseMoveCount, 1u) << "run " << run;
        saver.DestroyWindows();
        PumpMessages();
    }
}

TEST_F(ExitRules, TestWindowIgnoresInputAndEndsWhenClosed) {
    ASSERT_EQ(saver_.Start("ssaver.scr /t"), S_OK);
    Send(WM_KEYDOWN, VK_SPACE);
    Send(WM_LBUTTONDOWN, 0, Position(1, 1));
    Send(WM_RBUTTONDOWN, 0, Position(1, 1));
    Send(WM_ACTIVATEAPP, FALSE);
    for (int i = 0; i < 10; ++i) {
        Send(WM_MOUSEMOVE, 0, Position(100 + i, 200));
    }
    PumpMessages();
    EXPECT_FALSE(saver_.Ended());
    EXPECT_EQ(saver_.mouseMoveCount, 0u);

    Send(WM_CLOSE);
    EXPECT_FALSE(IsWindow(saver_.mainWindow));
    EXPECT_TRUE(PumpMessages());
    EXPECT_TRUE(saver_.Ended());
}

TEST_F(ExitRules, PreviewIgnoresInput) {
    HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 150,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    const std::string commandLine = "ssaver.scr /p " + std::to_string(reinterpret_cast<UINT_PTR>(host));
    ASSERT_EQ(saver_.Start(commandLine.c_str()), S_OK);
    Send(WM_KEYDOWN, VK_SPACE);
    Send(WM_LBUTTONDOWN, 0, Position(1, 1));
    Send(WM_ACTIVATEAPP, FALSE);
    for (int i = 0; i < 10; ++i) {
        Send(WM_MOUSEMOVE, 0, Position(100 + i, 200));
    }
    EXPECT_FALSE(saver_.Ended());
    DestroyWindow(host);
    EXPECT_TRUE(saver_.Ended());
    saver_.mainWindow = nullptr;
}

TEST_F(ExitRules, TheLoopRendersWhileIdleAndStopsOnQuit) {
    ASSERT_EQ(saver_.Start("ssaver.scr /t"), S_OK);
    // Close the window once the loop has produced a few frames.
    SetTimer(saver_.mainWindow, 7, 200, nullptr);
    struct Closer {
        static void CALLBACK OnTimer(HWND window, UINT, UINT_PTR, DWORD) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
    };
    SetTimer(saver_.mainWindow, 8, 200, Closer::OnTimer);
    EXPECT_EQ(saver_.RunSaver(), S_OK);
    EXPECT_TRUE(saver_.Ended());
    EXPECT_GT(saver_.frames, 0);
    EXPECT_LE(saver_.frames, 16) << "no more than the screen's 60 frames a second";
}

// A quit the saver did not post itself (a failed music start posts one, at start-up or
// after a device reset) still ends the run through the whole teardown, and leaves no
// second quit behind.
TEST(SaverLoop, AnUnplannedQuitStillTearsEverythingDown) {
    for (const bool duringStartup : {true, false}) {
        TestSaver saver;
        saver.quitWhilePreparing = duringStartup;
        ASSERT_EQ(saver.Start("ssaver.scr /t"), S_OK);
        struct Quitter {
            static void CALLBACK OnTimer(HWND window, UINT, UINT_PTR id, DWORD) {
                KillTimer(window, id);
                PostQuitMessage(0);
            }
        };
        if (!duringStartup) {
            SetTimer(saver.mainWindow, 9, 200, Quitter::OnTimer);
        }
        EXPECT_EQ(saver.RunSaver(), S_OK);
        EXPECT_TRUE(saver.Ended()) << duringStartup;
        EXPECT_EQ(saver.released, saver.prepared) << duringStartup;
        EXPECT_EQ(saver.direct3d, nullptr) << duringStartup;
        MSG message;
        EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << duringStartup;
        saver.DestroyWindows();
        PumpMessages();
    }
}

}  // namespace

namespace {

int verifierCalls = 0;
BOOL verifierAnswer = FALSE;
BOOL checkingDuringCall = FALSE;

BOOL WINAPI ScriptedVerifier(HWND) {
    ++verifierCalls;
    checkingDuringCall = SaverBase::Instance()->checkingPassword;
    return verifierAnswer;
}

// The Windows 9x password check, with a scripted verifier in place of the system's.
class PasswordCheck : public ExitRules {
protected:
    void StartFullScreenWithVerifier(BOOL answer) {
        ASSERT_EQ(saver_.Start("ssaver.scr /s"), S_OK);
        saver_.isWindows9x = TRUE;
        saver_.verifyPassword = ScriptedVerifier;
        verifierCalls = 0;
        verifierAnswer = answer;
    }
};

TEST_F(PasswordCheck, ARefusedPasswordKeepsTheSaverRunningAndRestartsTheMoveCount) {
    StartFullScreenWithVerifier(FALSE);
    for (int i = 0; i < 6; ++i) {
        Send(WM_MOUSEMOVE, 0, Position(100 + i, 200));
    }
    EXPECT_EQ(verifierCalls, 1);
    EXPECT_TRUE(checkingDuringCall) << "input during the prompt must not ask again";
    EXPECT_FALSE(saver_.checkingPassword);
    EXPECT_FALSE(saver_.Ended());
    EXPECT_EQ(saver_.mouseMoveCount, 0u);
}

TEST_F(PasswordCheck, AnAcceptedPasswordEndsTheSaver) {
    StartFullScreenWithVerifier(TRUE);
    Send(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(verifierCalls, 1);
    EXPECT_TRUE(saver_.Ended());
}

TEST_F(PasswordCheck, ASuspendDoesNotEndAProtectedSaver) {
    StartFullScreenWithVerifier(TRUE);
    Send(WM_POWERBROADCAST, PBT_APMSUSPEND);
    EXPECT_EQ(verifierCalls, 0);
    EXPECT_FALSE(saver_.Ended());
}

TEST_F(PasswordCheck, TheTestWindowNeverAsks) {
    ASSERT_EQ(saver_.Start("ssaver.scr /t"), S_OK);
    saver_.isWindows9x = TRUE;
    saver_.verifyPassword = ScriptedVerifier;
    verifierCalls = 0;
    Send(WM_CLOSE);
    EXPECT_EQ(verifierCalls, 0);
    EXPECT_TRUE(saver_.Ended());
}

}  // namespace
