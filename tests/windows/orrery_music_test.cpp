#include <windows.h>

#include <gtest/gtest.h>

#include <dshow.h>

#include "audio/music_player.h"
#include "scene/orrery_saver.h"
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
