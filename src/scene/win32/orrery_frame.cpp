#include "scene/win32/orrery_saver.h"

// One update for all screens; the framework renders each screen afterwards.
HRESULT OrrerySaver::AdvanceFrame() {
    AdvanceScene(time);
    if (MusicWanted()) {
        KeepMusicLooping();
    }
    return S_OK;
}

bool OrrerySaver::MusicWanted() const {
    return (settings.audio || settings.customAudio) && mode != Preview;
}

// Reaches the device the framework selected last; every screen also gets the view from
// its own rendering.
void OrrerySaver::ApplyViewTransform() {
    if (activeDevice != nullptr) {
        activeDevice->SetTransform(D3DTS_VIEW, &viewMatrix);
    }
}
