#pragma once

#include "platform/QtSaverSystem.h"
#include "platform/QtSettingsStore.h"
#include "platform/RegFileRegistry.h"

#include <QStandardPaths>

namespace korvane {

// The screen saver's services of the real platform, kept together by QtPlatform.
struct QtSaverServices {
    // The user's own registry file: ~/.config/Korvane/registry.reg.
    static QString registryFilePath()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/Korvane/registry.reg");
    }

    QtSettingsStore settings;
    RegFileRegistry registry{registryFilePath()};
    QtSaverSystem system;
};

} // namespace korvane
