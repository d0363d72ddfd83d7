#pragma once

#include "image.h"

// The planets' surface maps, laid out for the sphere builder (see planet_map.h).
Image DrawPlutoMap();    // 512 x 256
Image DrawNeptuneMap();  // 512 x 256
Image DrawUranusMap();   // 512 x 256
Image DrawSaturnMap();   // 512 x 256
Image DrawJupiterMap();  // 512 x 256
Image DrawMarsMap();     // 512 x 256
Image DrawEarthMap();    // 512 x 256
Image DrawVenusMap();    // 512 x 256
Image DrawMercuryMap();  // 512 x 512
