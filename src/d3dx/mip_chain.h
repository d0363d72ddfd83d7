#pragma once

#include "d3dx/mip_levels.h"
#include "image/decoded_image.h"

// The next level of a decoded image's mip chain: NextMipSize of each side, each pixel
// the rounded mean, channel by channel, of the 2 x 2 pixels it covers (of the 1 or 2 at
// an edge one pixel wide), as D3DX's box filter makes it. The alpha flag is kept.
DecodedImage HalvedImage(const DecodedImage& image);
