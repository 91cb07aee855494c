#pragma once

#include "platform/RegistryService.h"
#include "platform/SaverSystemService.h"
#include "platform/SettingsStore.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QStringList>
#include <deque>

namespace korvane {

// The saver's system services for tests: stored settings and registry values are filled in
// advance, password answers come from a queue (empty = the user cancels), and every call
// that changes something is recorded.
class ScriptedSaverSystem final : public SettingsStore, public RegistryService, public SaverSystemService {
public:
    // Settings store.
    void setSetting(const QString &application, const QString &section, const QString &key, const QString &value);
    QString setting(const QString &application, const QString &section, const QString &key,
                    const QString &defaultValue) const override;

    // Registry.
    void setRegistryValue(RegistryRoot root, const QString &subKey, const QString &name, RegistryValue value);
    void setRegistryString(RegistryRoot root, const QString &subKey, const QString &name, const QString &text);
    void setRegistryDword(RegistryRoot root, const QString &subKey, const QString &name, std::uint32_t number);
    bool keyExists(RegistryRoot root, const QString &subKey) const override;
    std::optional<RegistryValue> value(RegistryRoot root, const QString &subKey,
                                       const QString &valueName) const override;

    // System.
    int platformId() const override { return reportedPlatformId; }
    void setScreenSaverRunning(bool running) override { saverRunningCalls << running; }
    bool verifyScreenSaverPassword() override;
    QImage grabScreen() override
    {
        ++screenGrabs;
        return screenImage;
    }
    void hideCursor() override { hidden = true; }
    void showCursor() override { hidden = false; }
    bool cursorHidden() const override { return hidden; }
    bool topLevelWindowExists(const QString &title) const override { return topLevelTitles.contains(title); }

    int reportedPlatformId = 0;
    std::deque<bool> passwordAnswers;
    int passwordPrompts = 0;
    bool cursorHiddenAtPrompt = false; // the pointer's state when the last prompt appeared
    QList<bool> saverRunningCalls;
    QImage screenImage;
    int screenGrabs = 0;
    bool hidden = false;
    QStringList topLevelTitles;

private:
    QHash<QString, QString> m_settings;
    QHash<QString, QHash<QString, RegistryValue>> m_registry;
};

} // namespace korvane
