#include "framework/command_line.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* commandLine;
    SaverMode mode;
    uint32_t window;
};

class CommandLineTest : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTest, SelectsModeAndWindow) {
    const Case& c = GetParam();
    const SaverCommandLine parsed = ParseSaverCommandLine(c.commandLine);
    EXPECT_EQ(parsed.mode, c.mode) << c.commandLine;
    EXPECT_EQ(parsed.windowNumber, c.window) << c.commandLine;
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CommandLineTest,
    ::testing::Values(
        // No switch at all: the settings dialog.
        Case{"ssaver.scr", Config, 0}, Case{"ssaver.scr ", Config, 0}, Case{"", Config, 0},
        Case{"ssaver.scr settings please", Config, 0},
        // Every spelling of the preview handle.
        Case{"ssaver.scr /p 1234", Preview, 1234}, Case{"ssaver.scr -P:1234", Preview, 1234},
        Case{"ssaver.scr /p1234", Preview, 1234}, Case{"ssaver.scr /p", Preview, 0},
        // Modes without a number ignore one.
        Case{"ssaver.scr /s", Full, 0}, Case{"ssaver.scr /S", Full, 0}, Case{"ssaver.scr /q", Full, 0},
        Case{"ssaver.scr /s 77", Full, 0}, Case{"ssaver.scr /t", Test, 0}, Case{"ssaver.scr -T", Test, 0},
        // Settings and password owners; leading zeros are decimal, not octal.
        Case{"ssaver.scr /c:0987", Config, 987}, Case{"ssaver.scr /c", Config, 0},
        Case{"ssaver.scr /a 66", ChangePassword, 66}, Case{"ssaver.scr -A", ChangePassword, 0},
        // Only the first switch counts.
        Case{"ssaver.scr /t /s", Test, 0}, Case{"ssaver.scr /p 12 /c 34", Preview, 12},
        // A quoted program name is skipped whole, slashes and hyphens included.
        Case{"\"C:\\Program Files\\my-saver /x\\ssaver.scr\" /p 42", Preview, 42},
        Case{"\"C:\\my-saver\\ssaver.scr\"", Config, 0}, Case{"\"C:\\unterminated -s", Config, 0},
        // An unquoted program name ends at the first space or tab; the rest of an unquoted
        // path with spaces holds no switch, hyphens or not.
        Case{"C:\\saver-dir\\ssaver.scr /t", Test, 0}, Case{"ssaver.scr\t/s", Full, 0},
        Case{"C:\\Users\\John Smith\\Downloads\\celestra-1.0\\ssaver.scr /p 1234", Preview, 1234},
        Case{"C:\\Users\\John Smith\\Downloads\\celestra-1.0\\ssaver.scr /c:5678", Config, 5678},
        Case{"C:\\Users\\John Smith\\celestra-1.0\\ssaver.scr", Config, 0},
        Case{"\"C:\\x\\ssaver.scr\"/t", Test, 0},
        // Huge numbers saturate instead of overflowing.
        Case{"ssaver.scr /p 99999999999999999999", Preview, 0x7FFFFFFF},
        Case{"ssaver.scr /p 2147483647", Preview, 0x7FFFFFFF},
        Case{"ssaver.scr /p 2147483648", Preview, 0x7FFFFFFF}));

TEST(CommandLine, NullTextIsTheSettingsDialog) {
    const SaverCommandLine parsed = ParseSaverCommandLine(nullptr);
    EXPECT_EQ(parsed.mode, Config);
    EXPECT_EQ(parsed.windowNumber, 0u);
}

}  // namespace
