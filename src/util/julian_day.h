#pragma once

#include <cstdint>

// Moments as Julian days (days since noon of 4713 BC January 1, Julian calendar), the
// time scale of astronomy, and the two ways they come in: Windows' FILETIME of the
// system clock, and a calendar date typed by a person.

// Days of the FILETIME origin, 1601 January 1, 0h UTC.
constexpr double JulianDayOfFileTimeOrigin = 2305813.5;
constexpr double FileTimeTicksPerDay = 864000000000.0;  // 100 ns each

double JulianDayFromFileTime(uint64_t fileTime);
// False for a day before 1601, which a FILETIME cannot hold.
bool FileTimeFromJulianDay(double julianDay, uint64_t& fileTime);

// The Julian day of a calendar date and time of day (UTC): the Gregorian calendar from
// 1582 October 15, the Julian calendar before it; years count astronomically (0 is 1 BC).
double JulianDayFromCalendar(int year, int month, int day, int hour, int minute);

// Reads "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM" (a leading '-' for years before 1 AD). False,
// with `julianDay` untouched, for anything else or an impossible date.
bool ParseUtcDate(const char* text, double& julianDay);
