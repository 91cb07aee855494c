#pragma once

#include "platform/RegistryService.h"
#include "platform/SaverSystemService.h"
#include "platform/SettingsStore.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
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
    QList<QRect> screens() const override { return screenRects; }
    QImage grabScreen(int screen) override
    {
        ++screenGrabs;
        return screenImages.value(screen, screenImage);
    }
    InputGrab grabInput(QWindow *window) override;
    void releaseInput() override;
    void hideCursor() override { hidden = true; }
    void showCursor() override { hidden = false; }
    bool cursorHidden() const override { return hidden; }
    bool topLevelWindowExists(const QString &title) const override { return topLevelTitles.contains(title); }

    int reportedPlatformId = 0;
    std::deque<bool> passwordAnswers;
    int passwordPrompts = 0;
    bool cursorHiddenAtPrompt = false; // the pointer's state when the last prompt appeared
    QList<bool> saverRunningCalls;
    QList<QRect> screenRects{QRect(0, 0, 640, 480)};
    QImage screenImage;         // what every screen shows, unless screenImages has its own picture
    QList<QImage> screenImages; // per screen, in the order of screenRects
    int screenGrabs = 0;
    std::deque<InputGrab> grabAnswers; // when empty, the grab is taken
    int grabAttempts = 0;
    QWindow *inputHolder = nullptr; // the window holding the input; null when nobody does
    int inputReleases = 0;          // releases of a held grab
    bool inputHeldAtPrompt = false; // whether the input was held when the last prompt appeared
    bool hidden = false;
    QStringList topLevelTitles;

private:
    QHash<QString, QString> m_settings;
    QHash<QString, QHash<QString, RegistryValue>> m_registry;
};

} // namespace korvane
