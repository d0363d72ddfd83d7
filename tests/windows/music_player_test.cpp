#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include <dshow.h>

#include "audio/win32/music_player.h"
#include "support/tone_file.h"

namespace {

class MusicPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override {
        player_.Close();
        CoUninitialize();
    }

    long Volume() {
        IBasicAudio* audio = nullptr;
        long volume = 1;
        if (SUCCEEDED(player_.graph()->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&audio)))) {
            audio->get_Volume(&volume);
            audio->Release();
        }
        return volume;
    }

    MusicPlayer player_;
};

TEST_F(MusicPlayerTest, AnEmptyPlayerRefusesEverything) {
    EXPECT_EQ(player_.Play(), MusicPlayer::PlayRefused);
    EXPECT_EQ(player_.Stop(), MusicPlayer::StopRefused);
    EXPECT_EQ(player_.Rewind(), MusicPlayer::RewindRefused);
    EXPECT_EQ(player_.SetVolume(-400), MusicPlayer::VolumeRefused);
    EXPECT_EQ(player_.Seek(1.0), MusicPlayer::SeekRefused);
    EXPECT_EQ(player_.Position(), 0.0);
    EXPECT_FALSE(player_.IsComplete());
    EXPECT_EQ(player_.state(), MusicPlayer::State::Empty);
}

TEST_F(MusicPlayerTest, FilesThatCannotPlayLeaveThePlayerEmpty) {
    for (const char* path : {" ", "C:\\no such folder\\no such file.mp3", ""}) {
        EXPECT_TRUE(FAILED(player_.Open(path))) << "'" << path << "'";
        EXPECT_EQ(player_.state(), MusicPlayer::State::Empty);
        EXPECT_EQ(player_.Play(), MusicPlayer::PlayRefused);
    }
    const std::string tooLong(400, 'a');
    EXPECT_TRUE(FAILED(player_.Open(tooLong.c_str())));
    EXPECT_EQ(player_.state(), MusicPlayer::State::Empty);
}

TEST_F(MusicPlayerTest, PlaysToTheEndAndStartsAgainAfterARewind) {
    const std::string tone = WriteToneFile(0.6);
    ASSERT_EQ(player_.Open(tone.c_str()), S_OK) << "needs DirectShow with a sound output";
    EXPECT_EQ(player_.state(), MusicPlayer::State::Stopped);
    EXPECT_FALSE(player_.IsComplete()) << "a stopped player is never complete";

    EXPECT_EQ(player_.SetVolume(5), S_OK);
    EXPECT_EQ(Volume(), 0);
    EXPECT_EQ(player_.SetVolume(-20000), S_OK);
    EXPECT_EQ(Volume(), -10000);
    EXPECT_EQ(player_.SetVolume(-400), S_OK);
    EXPECT_EQ(Volume(), -400);

    ASSERT_TRUE(SUCCEEDED(player_.Play())) << "S_FALSE while the graph is still starting";
    EXPECT_EQ(player_.state(), MusicPlayer::State::Running);
    EXPECT_EQ(player_.Play(), MusicPlayer::PlayRefused) << "already running";
    bool complete = false;
    for (int i = 0; i < 100 && !complete; ++i) {
        Sleep(50);
        complete = player_.IsComplete();
    }
    EXPECT_TRUE(complete) << "a 0.4 s tone ends within 5 s";

    EXPECT_TRUE(SUCCEEDED(player_.Stop()));
    EXPECT_EQ(player_.Rewind(), S_OK);
    EXPECT_EQ(player_.state(), MusicPlayer::State::Stopped);
    ASSERT_TRUE(SUCCEEDED(player_.Play())) << "S_FALSE while the graph is still starting";
    Sleep(100);
    EXPECT_FALSE(player_.IsComplete()) << "rewound, the tone plays again";
    complete = false;
    for (int i = 0; i < 100 && !complete; ++i) {
        Sleep(50);
        complete = player_.IsComplete();
    }
    EXPECT_TRUE(complete) << "and ends again";

    player_.Close();
    EXPECT_EQ(player_.state(), MusicPlayer::State::Empty);
    EXPECT_EQ(player_.graph(), nullptr);
    DeleteFileA(tone.c_str());
}

// What the saver does while the display is off: remember the place, let the sound device
// go, and later open the file again there.
TEST_F(MusicPlayerTest, AFileOpenedAgainGoesOnFromARememberedPlace) {
    const std::string tone = WriteToneFile(3.0);
    ASSERT_EQ(player_.Open(tone.c_str()), S_OK);
    ASSERT_TRUE(SUCCEEDED(player_.Play()));
    Sleep(600);
    const double place = player_.Position();
    EXPECT_GT(place, 0.2);
    EXPECT_LT(place, 2.0);
    player_.Close();

    ASSERT_EQ(player_.Open(tone.c_str()), S_OK);
    EXPECT_EQ(player_.Seek(place), S_OK);
    EXPECT_NEAR(player_.Position(), place, 0.1);
    ASSERT_TRUE(SUCCEEDED(player_.Play()));
    Sleep(300);
    EXPECT_GT(player_.Position(), place) << "plays on from there";
    DeleteFileA(tone.c_str());
}

TEST_F(MusicPlayerTest, OpeningAgainReplacesTheGraph) {
    const std::string tone = WriteToneFile(0.2);
    ASSERT_EQ(player_.Open(tone.c_str()), S_OK);
    ASSERT_TRUE(SUCCEEDED(player_.Play())) << "S_FALSE while the graph is still starting";
    EXPECT_TRUE(FAILED(player_.Open("C:\\missing.wav")));
    EXPECT_EQ(player_.state(), MusicPlayer::State::Empty);
    DeleteFileA(tone.c_str());
}

}  // namespace
