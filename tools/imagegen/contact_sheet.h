#pragma once

#include "image.h"
#include "image_set.h"

// One overview picture of the whole set for judging it by eye: both star boxes
// unfolded as crosses, the planet maps, each map wrapped on a lit globe as the scene
// wraps it, the alpha images over dark backgrounds, the dialog pictures and the icon.
Image DrawContactSheet(const ImageSet& set);
