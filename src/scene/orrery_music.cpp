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
    // Restarting a track that has played to its end takes the player's own operations,
    // which come with the player; until then only the poll clock runs.
    musicClockSum = 0.0f;
}
