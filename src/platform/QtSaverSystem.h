#pragma once

#include "platform/SaverSystemService.h"

namespace korvane {

// The saver's operating-system services on a Qt desktop.
class QtSaverSystem final : public SaverSystemService {
public:
    ~QtSaverSystem() override;

    // No system here checks saver passwords on its own, so the program always does.
    int platformId() const override { return 0; }
    // Nothing to tell: no system service here tracks whether a saver runs.
    void setScreenSaverRunning(bool) override {}
    bool verifyScreenSaverPassword() override;
    QImage grabScreen() override;
    void hideCursor() override;
    void showCursor() override;
    bool cursorHidden() const override { return m_cursorHidden; }
    bool topLevelWindowExists(const QString &title) const override;

private:
    bool m_cursorHidden = false;
};

} // namespace korvane
