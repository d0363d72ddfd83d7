#pragma once

#include "framework/saver_base.h"
#include "settings/orrery_settings.h"

// The planetary screensaver: the application that plugs into the framework.
class OrrerySaver : public SaverBase {
public:
    OrrerySaver();

    // The settings dialog's procedures reach the one application object through this.
    static OrrerySaver* Instance();

    void ApplyDefaultSettings();

    // Settings in the registry.
    void LoadSettings() override;
    bool ReadSettings();
    void WriteSettings();

    OrrerySettings settings;
};
