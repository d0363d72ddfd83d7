#pragma once

#include "image.h"

// The pictures of the settings dialog, drawn in full colour; the caller reduces them
// to 256-colour bitmaps.

// 267 x 167: a decorative space scene with a ringed planet, a small blue world and a
// nebula over a star field.
Image DrawSpacePicture();

// 54 x 96: the maker's logo, a spiral-nebula badge above the name "NEBULART".
Image DrawMakerLogo();
