#include "audio/win32/music_player.h"
#include "scene/win32/orrery_saver.h"

// Background music: one player for the whole scene, created by the first preparation of
// device objects and destroyed by the next release.

namespace {

const long MusicVolume = -400;  // hundredths of a decibel: -4 dB

}  // namespace

void OrrerySaver::BeginMusic() {
    if (!MusicWanted() || musicPlayer != nullptr) {
        return;  // every screen device is prepared; the first one starts the music
    }
    comInitialised = SUCCEEDED(CoInitialize(nullptr));
    if (!comInitialised) {
        MessageBoxA(nullptr, "CoInitialize Failed!\r\n", "Error", MB_OK);
        PostQuitMessage(0);
    }
    musicPlayer = new MusicPlayer();
    StartMusic();
}

// A file that cannot be played leaves the scene silent, without a message.
void OrrerySaver::StartMusic(double fromSeconds) {
    if (musicPlayer->Open(MusicToPlay(settings, installedAudio)) != S_OK) {
        return;
    }
    musicPlayer->SetVolume(MusicVolume);
    if (fromSeconds > 0.0) {
        musicPlayer->Seek(fromSeconds);
    }
    musicPlayer->Play();
}

// Polled about every 1.5 seconds rather than every frame: the end of a track needs no
// sooner notice.
void OrrerySaver::KeepMusicLooping() {
    if (musicPlayer == nullptr) {
        return;  // no music this run
    }
    if (!MusicPollDue(time)) {
        return;
    }
    RestartMusicIfComplete();
    musicClockSum = 0.0f;
}

void OrrerySaver::RestartMusicIfComplete() {
    if (musicPlayer->IsComplete()) {
        musicPlayer->Stop();
        musicPlayer->Rewind();
        musicPlayer->Play();
    }
}

// An open sound device keeps Windows from sleeping, even a stopped one (its mixer runs
// on): in the dark the player lets go of it, remembering where the music was, and plays
// on from there when the display comes back.
void OrrerySaver::DisplayTurnedOff() {
    if (musicPlayer == nullptr || musicPlayer->state() != MusicPlayer::State::Running) {
        return;
    }
    // A track that reached its end as the display went off starts again afterwards.
    musicPositionInTheDark = musicPlayer->IsComplete() ? 0.0 : musicPlayer->Position();
    musicPlayer->Close();
    musicPausedInTheDark = true;
}

void OrrerySaver::DisplayTurnedOn() {
    if (musicPlayer == nullptr || !musicPausedInTheDark) {
        return;
    }
    musicPausedInTheDark = false;
    StartMusic(musicPositionInTheDark);
}

void OrrerySaver::StopMusic() {
    musicPausedInTheDark = false;
    if (musicPlayer == nullptr) {
        return;
    }
    delete musicPlayer;
    musicPlayer = nullptr;
    // COM is released only when this player's initialisation succeeded.
    if (comInitialised) {
        CoUninitialize();
        comInitialised = false;
    }
}
