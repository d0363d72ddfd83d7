#include "scene/orrery_saver.h"

// Polled about every 1.5 seconds rather than every frame: the end of a track needs no
// sooner notice.
void OrrerySaver::KeepMusicLooping() {
    if (musicPlayer == nullptr) {
        return;  // no music this run
    }
    if (!MusicPollDue(time)) {
        return;
    }
    // A track that has played to its end is rewound and started again here, through the
    // player.
    musicClockSum = 0.0f;
}
