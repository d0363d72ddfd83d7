#include "scene/win32/orrery_saver.h"

#include "scene/win32/vertex_buffer_upload.h"

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

// Every screen's lines are refilled, not only the current one's, so that no monitor
// shows lines where the planets were.
void OrrerySaver::RefillDistanceLines() {
    for (DeviceSceneObjects& objects : deviceObjects) {
        for (int i = 1; i < BodyCount; ++i) {
            if (objects.distanceBuffers[i] != nullptr) {
                RefillDistanceLine(objects.distanceBuffers[i], &bodies[SunIndex].position,
                                   &bodies[i].position, DistanceDashes, &bodies[i].distanceLabelPos);
            }
        }
    }
}

// Reaches the device the framework selected last; every screen also gets the view from
// its own rendering.
void OrrerySaver::ApplyViewTransform() {
    if (activeDevice != nullptr) {
        activeDevice->SetTransform(D3DTS_VIEW, &viewMatrix);
    }
}
