#include "scene/orrery_saver.h"

#include <commctrl.h>

#include "resource_ids.h"
#include "util/copy_string_bounded.h"

namespace {

OrrerySaver* theOrrery = nullptr;

}  // namespace

OrrerySaver::OrrerySaver() : settings(DefaultSettings()) {
    theOrrery = this;
    InitCommonControls();
    CopyStringBounded(registryPath, "Software\\Nebulart\\Screensavers\\Celestra");
    LoadStringA(GetModuleHandleA(nullptr), IDS_PRODUCT_NAME, windowTitle, sizeof(windowTitle));
}

OrrerySaver* OrrerySaver::Instance() { return theOrrery; }

void OrrerySaver::ApplyDefaultSettings() { ::ApplyDefaultSettings(settings); }
