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
void OrrerySaver::StartMusic() {
    if (musicPlayer->Open(MusicToPlay(settings, installedAudio)) != S_OK) {
        return;
    }
    musicPlayer->SetVolume(MusicVolume);
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
    if (musicPlayer->IsComplete()) {
        musicPlayer->Stop();
        musicPlayer->Rewind();
        musicPlayer->Play();
    }
    musicClockSum = 0.0f;
}

void OrrerySaver::StopMusic() {
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
