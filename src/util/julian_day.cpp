#include "util/julian_day.h"

#include <cmath>
#include <cstdlib>

double JulianDayFromFileTime(uint64_t fileTime) {
    return JulianDayOfFileTimeOrigin + static_cast<double>(fileTime) / FileTimeTicksPerDay;
}

bool FileTimeFromJulianDay(double julianDay, uint64_t& fileTime) {
    const double ticks = (julianDay - JulianDayOfFileTimeOrigin) * FileTimeTicksPerDay;
    if (!(ticks >= 0.0) || ticks >= 9.2e18) {
        return false;
    }
    fileTime = static_cast<uint64_t>(ticks);
    return true;
}

// The usual day count: months from March, so that the leap day ends the year; the
// Gregorian correction drops three leap days in four centuries.
double JulianDayFromCalendar(int year, int month, int day, int hour, int minute) {
    const bool gregorian = year > 1582 || (year == 1582 && (month > 10 || (month == 10 && day >= 15)));
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    double correction = 0.0;
    if (gregorian) {
        const double century = std::floor(year / 100.0);
        correction = 2.0 - century + std::floor(century / 4.0);
    }
    return std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + day + correction -
           1524.5 + (hour + minute / 60.0) / 24.0;
}

namespace {

// Reads exactly `digits` decimal digits.
bool ReadNumber(const char*& text, int digits, int& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    text += digits;
    return true;
}

bool IsLeap(int year, bool gregorian) {
    return gregorian ? (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) : (year % 4 == 0);
}

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year, year > 1582) ? 29 : days[month - 1];
}

}  // namespace

bool ParseUtcDate(const char* text, double& julianDay) {
    if (text == nullptr) {
        return false;
    }
    const bool beforeCommonEra = *text == '-';
    text += beforeCommonEra ? 1 : 0;
    int year, month, day, hour = 0, minute = 0;
    if (!ReadNumber(text, 4, year) || *text++ != '-' || !ReadNumber(text, 2, month) || *text++ != '-' ||
        !ReadNumber(text, 2, day)) {
        return false;
    }
    if (*text == 'T' && (!ReadNumber(++text, 2, hour) || *text++ != ':' || !ReadNumber(text, 2, minute))) {
        return false;
    }
    year = beforeCommonEra ? -year : year;
    if (*text != '\0' || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 ||
        minute > 59 || (year == 1582 && month == 10 && day > 4 && day < 15)) {
        return false;
    }
    julianDay = JulianDayFromCalendar(year, month, day, hour, minute);
    return true;
}
