#pragma once

#include "platform/SaverSystemService.h"

#include <memory>

class QScreen;

namespace korvane {

class X11InputGrab;

// The saver's operating-system services on a Qt desktop. On X11 the screens can be read and
// the input taken; in a Wayland session (XWayland included) neither is granted to a program,
// so the pictures are null and the input is never taken.
class QtSaverSystem final : public SaverSystemService {
public:
    QtSaverSystem();
    ~QtSaverSystem() override;

    // No system here checks saver passwords on its own, so the program always does.
    int platformId() const override { return 0; }
    // Nothing to tell: no system service here tracks whether a saver runs.
    void setScreenSaverRunning(bool) override {}
    bool verifyScreenSaverPassword() override;
    QList<QRect> screens() const override;
    QImage grabScreen(int screen) override;
    InputGrab grabInput(QWindow *window) override;
    void releaseInput() override;
    void hideCursor() override;
    void showCursor() override;
    bool cursorHidden() const override { return m_cursorHidden; }
    bool topLevelWindowExists(const QString &title) const override;

    // Whether the desktop is a Wayland session, whether Qt talks to it directly or through XWayland.
    static bool onWayland();

private:
    static QList<QScreen *> orderedScreens();

    std::unique_ptr<X11InputGrab> m_input;
    bool m_cursorHidden = false;
};

} // namespace korvane
