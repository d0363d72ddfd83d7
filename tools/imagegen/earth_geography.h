#pragma once

// A coarse hand-drawn outline of the Earth's land masses, good enough to recognise the
// continents on a small globe. Longitudes -180..180 (east positive), latitudes in degrees.
bool IsLand(float longitude, float latitude);
