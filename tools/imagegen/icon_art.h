#pragma once

#include "image.h"

// The saver's icon: a golden ringed planet on a transparent background.
Image DrawIconImage(int size);
