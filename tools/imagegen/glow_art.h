#pragma once

#include "image.h"

// The alpha images of the scene.

// 128 x 128: white, with alpha falling softly from the centre to nothing at the edge.
Image DrawHalo();

// 512 x 512: the Sun's glow, white at the centre through yellow and orange to black at
// the edge; the alpha channel carries the brightness.
Image DrawSunGlow();

// 64 x 64: the ring bands; columns run across the ring from the outer edge (left) to
// the inner edge (right), every row the same.
Image DrawRing();
