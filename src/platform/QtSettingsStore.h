#pragma once

#include "platform/SettingsStore.h"

namespace korvane {

// Settings in one INI file per application under the user's configuration folder:
// application "Samples" lives in ~/.config/Korvane/Samples.ini, a section is an [INI group].
class QtSettingsStore final : public SettingsStore {
public:
    QString setting(const QString &application, const QString &section, const QString &key,
                    const QString &defaultValue) const override;
    static QString filePath(const QString &application);
};

} // namespace korvane
