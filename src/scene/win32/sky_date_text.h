#pragma once

#include <cstddef>

// The date of today's sky as the user writes dates: their own long (or short) date format
// and, where asked, the time of day without seconds, in the local time of this machine.
// False, with an empty text, for a day a FILETIME cannot hold or a refusal of the system.
bool FormatSkyDate(double julianDay, bool longForm, bool withTimeOfDay, char* text, std::size_t size);
