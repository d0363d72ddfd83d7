#include "scene/win32/sky_date_text.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "util/julian_day.h"

namespace {

bool LocalTimeOf(double julianDay, SYSTEMTIME& local) {
    uint64_t ticks = 0;
    if (!FileTimeFromJulianDay(julianDay, ticks)) {
        return false;
    }
    FILETIME utc = {static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME universal = {};
    return FileTimeToSystemTime(&utc, &universal) &&
           SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local);
}

}  // namespace

bool FormatSkyDate(double julianDay, bool longForm, bool withTimeOfDay, char* text, std::size_t size) {
    if (text == nullptr || size == 0) {
        return false;
    }
    text[0] = '\0';
    SYSTEMTIME local = {};
    const int room = static_cast<int>(size);
    const int date = LocalTimeOf(julianDay, local)
                         ? GetDateFormatA(LOCALE_USER_DEFAULT, longForm ? DATE_LONGDATE : DATE_SHORTDATE,
                                          &local, nullptr, text, room)
                         : 0;
    if (date <= 0) {
        text[0] = '\0';
        return false;
    }
    // The date's count includes its terminator: the time goes after two spaces.
    const int used = date - 1;
    if (withTimeOfDay && used + 3 < room) {
        text[used] = ' ';
        text[used + 1] = ' ';
        if (GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, text + used + 2,
                           room - used - 2) <= 0) {
            text[used] = '\0';
        }
    }
    return true;
}
