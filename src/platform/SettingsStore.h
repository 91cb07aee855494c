#pragma once

#include <QString>

namespace korvane {

// The per-user application settings store: text values filed under an application,
// a section and a key. Reading never fails; a missing value gives the default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString setting(const QString &application, const QString &section, const QString &key,
                            const QString &defaultValue) const = 0;
};

} // namespace korvane
