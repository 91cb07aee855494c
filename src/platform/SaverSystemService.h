#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace korvane {

// What the screen saver needs from the operating system beyond windows and timers.
class SaverSystemService {
public:
    virtual ~SaverSystemService() = default;

    // The operating system's platform id (2 = a system that checks saver passwords itself).
    virtual int platformId() const = 0;
    // Tells the system that a screen saver starts or stops running.
    virtual void setScreenSaverRunning(bool running) = 0;
    // Asks the user for their login password over the saver and checks it with the system.
    // True only when the system accepted the password; a cancelled prompt or any error is false.
    virtual bool verifyScreenSaverPassword() = 0;

    // A picture of the whole screen, or a null image where the screen cannot be read.
    virtual QImage grabScreen() = 0;
    // Hides or shows the mouse pointer for the whole program; both are idempotent.
    virtual void hideCursor() = 0;
    virtual void showCursor() = 0;
    virtual bool cursorHidden() const = 0;
    // Whether a top-level window with exactly this title exists.
    virtual bool topLevelWindowExists(const QString &title) const = 0;
};

} // namespace korvane
