#include "scene/win32/orrery_saver.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "resource_ids.h"
#include "util/copy_string_bounded.h"
#include "util/julian_day.h"

namespace {

uint32_t SystemMilliseconds() {
    return timeGetTime();
}

double SystemPresent() {
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    return JulianDayFromFileTime((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

}  // namespace

OrrerySaver::OrrerySaver() : deviceObjects(), currentDevice(nullptr), musicPlayer(nullptr) {
    millisecondClock = SystemMilliseconds;
    presentClock = SystemPresent;
    InitCommonControls();
    CopyStringBounded(registryPath, "Software\\Nebulart\\Screensavers\\Celestra");
    LoadStringA(GetModuleHandleA(nullptr), IDS_PRODUCT_NAME, windowTitle, sizeof(windowTitle));
}

OrrerySaver::~OrrerySaver() = default;

// The framework's one instance pointer, which ~SaverBase clears: a dialog procedure called
// after the object died finds no object, not a dangling one.
OrrerySaver* OrrerySaver::Instance() {
    return static_cast<OrrerySaver*>(SaverBase::Instance());
}

void OrrerySaver::ApplyDefaultSettings() {
    ::ApplyDefaultSettings(settings);
}

void OrrerySaver::UseScreenDevice(UINT index) {
    // A screen without a record of its own gets none, not the previous screen's.
    currentDevice = index < static_cast<UINT>(DeviceRecordCount) ? &deviceObjects[index] : nullptr;
    screenIndex_ = index;
}
