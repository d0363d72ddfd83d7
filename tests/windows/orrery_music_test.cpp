#include <windows.h>

#include <gtest/gtest.h>

#include <dshow.h>

#include <cstdio>
#include <string>
#include <vector>

#include "audio/win32/music_player.h"
#include "scene/win32/orrery_saver.h"
#include "support/tone_file.h"
#include "util/copy_string_bounded.h"

namespace {

class OrreryMusic : public ::testing::Test {
protected:
    void SetUp() override {
        tone_ = WriteToneFile(0.5, "celestra-music.wav");
        saver_.mode = Full;
        saver_.settings.audio = 0;
        saver_.settings.customAudio = 1;
        CopyStringBounded(saver_.settings.audioPath, tone_.c_str());
    }
    void TearDown() override {
        saver_.StopMusic();
        DeleteFileA(tone_.c_str());
    }

    std::string tone_;
    OrrerySaver saver_;
};

TEST_F(OrreryMusic, TheCustomFilePlaysOnceForAllScreens) {
    saver_.BeginMusic();
    ASSERT_NE(saver_.musicPlayer, nullptr);
    EXPECT_EQ(saver_.musicPlayer->state(), MusicPlayer::State::Running);
    MusicPlayer* first = saver_.musicPlayer;
    saver_.BeginMusic();  // the second screen's preparation
    EXPECT_EQ(saver_.musicPlayer, first);

    IBasicAudio* audio = nullptr;
    ASSERT_TRUE(SUCCEEDED(first->graph()->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio))));
    long volume = 0;
    audio->get_Volume(&volume);
    audio->Release();
    EXPECT_EQ(volume, -400);

    saver_.StopMusic();
    EXPECT_EQ(saver_.musicPlayer, nullptr);
    saver_.StopMusic();  // nothing left to stop
}

TEST_F(OrreryMusic, AFinishedTrackRestartsAtTheNextPoll) {
    saver_.BeginMusic();
    ASSERT_NE(saver_.musicPlayer, nullptr);
    Sleep(1500);  // the half-second tone has ended
    ASSERT_TRUE(saver_.musicPlayer->IsComplete());
    saver_.time = 1.0f;
    saver_.KeepMusicLooping();
    EXPECT_TRUE(saver_.musicPlayer->IsComplete()) << "not polled before 1.5 s have passed";
    saver_.time = 1.6f;
    saver_.KeepMusicLooping();
    EXPECT_EQ(saver_.musicClockSum, 0.0f);
    Sleep(100);
    EXPECT_FALSE(saver_.musicPlayer->IsComplete()) << "the track plays again from its start";
    EXPECT_EQ(saver_.musicPlayer->state(), MusicPlayer::State::Running);
}

// Music made at build time with sox and lame, in the folder CELESTRA_TEST_MUSIC names: a
// WAV and a variable-bitrate MP3 of the same 2.5 s, a tone and then noise, so that the
// MP3's bitrate changes along the track.
const double LoopTrackSeconds = 2.5;

std::string TestMusicFile(const char* name) {
    char folder[MAX_PATH] = {};
    if (GetEnvironmentVariableA("CELESTRA_TEST_MUSIC", folder, sizeof(folder)) == 0) {
        return "";
    }
    std::string path = std::string(folder) + "\\" + name;
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

REFTIME CurrentPosition(MusicPlayer& player) {
    IMediaPosition* position = nullptr;
    REFTIME current = -1.0;
    if (SUCCEEDED(player.graph()->QueryInterface(IID_IMediaPosition, reinterpret_cast<void**>(&position)))) {
        position->get_CurrentPosition(&current);
        position->Release();
    }
    return current;
}

// Runs the saver's frames about 20 ms apart for `seconds` of real time from the start of
// the music, and returns the times at which the track went back to its beginning.
std::vector<double> RestartTimes(OrrerySaver& saver, double seconds) {
    std::vector<double> restarts;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    REFTIME last = 0.0;
    for (;;) {
        Sleep(20);
        QueryPerformanceCounter(&now);
        const double elapsed = static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (elapsed > seconds) {
            return restarts;
        }
        saver.time = static_cast<float>(elapsed);
        saver.KeepMusicLooping();
        const REFTIME position = CurrentPosition(*saver.musicPlayer);
        if (position + 0.5 < last) {
            restarts.push_back(elapsed);
        }
        last = position;
    }
}

TEST_F(OrreryMusic, TracksLoopWithAGapNoLongerThanThePoll) {
    const double poll = 1.5;
    const double slack = 0.4;  // a frame, and the graph's own start
    for (const char* name : {"loop.wav", "loop-vbr.mp3"}) {
        const std::string path = TestMusicFile(name);
        ASSERT_FALSE(path.empty()) << "CELESTRA_TEST_MUSIC names no folder";
        CopyStringBounded(saver_.settings.audioPath, path.c_str());
        saver_.time = 0.0f;
        saver_.musicClockLast = saver_.musicClockSum = 0.0f;
        saver_.BeginMusic();
        ASSERT_NE(saver_.musicPlayer, nullptr);
        ASSERT_EQ(saver_.musicPlayer->state(), MusicPlayer::State::Running) << path;

        const std::vector<double> restarts = RestartTimes(saver_, 2 * (LoopTrackSeconds + poll) + 0.5);
        ASSERT_EQ(restarts.size(), 2u) << name;
        double previous = 0.0;
        for (double restart : restarts) {
            const double interval = restart - previous;
            std::printf("%s: restarted %.2f s after the last start\n", name, interval);
            EXPECT_GE(interval, LoopTrackSeconds) << name << ": restarted before the track ended";
            EXPECT_LE(interval, LoopTrackSeconds + poll + slack) << name << ": a gap longer than the poll";
            previous = restart;
        }
        saver_.StopMusic();
    }
}

TEST_F(OrreryMusic, NoPlayerInAPreviewOrWithMusicOff) {
    saver_.mode = Preview;
    saver_.BeginMusic();
    EXPECT_EQ(saver_.musicPlayer, nullptr);

    saver_.mode = Full;
    saver_.settings.customAudio = 0;
    saver_.BeginMusic();
    EXPECT_EQ(saver_.musicPlayer, nullptr);
}

TEST_F(OrreryMusic, AnUnsetDefaultFileStaysSilentWithoutAMessage) {
    saver_.settings.audio = 1;
    saver_.settings.customAudio = 0;
    CopyStringBounded(saver_.settings.defaultAudio, " ");
    saver_.BeginMusic();
    ASSERT_NE(saver_.musicPlayer, nullptr);
    EXPECT_NE(saver_.musicPlayer->state(), MusicPlayer::State::Running);
    saver_.time = 5.0f;
    saver_.KeepMusicLooping();  // polling a silent player changes nothing
    EXPECT_NE(saver_.musicPlayer->state(), MusicPlayer::State::Running);
}

}  // namespace
