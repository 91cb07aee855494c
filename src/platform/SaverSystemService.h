#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

class QWindow;

namespace korvane {

// How an attempt to take the keyboard and the pointer went.
enum class InputGrab {
    Taken,       // all input of the desktop now goes to the window
    Busy,        // another program holds them, or the window is not on screen yet: worth another try
    Unavailable, // this window system never hands them to a program (Wayland, no display)
};

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
    // While the input is held, the question holds it and hands it back to the saver afterwards.
    virtual bool verifyScreenSaverPassword() = 0;

    // Where each screen of the desktop lies, in desktop coordinates; the primary screen first.
    virtual QList<QRect> screens() const = 0;
    // A picture of one screen (an index into screens()), or a null image where it cannot be read.
    virtual QImage grabScreen(int screen) = 0;
    // Takes the keyboard and the pointer for this window: until releaseInput, no other window,
    // of this program or another, gets a key or a click. Nothing is held unless Taken.
    virtual InputGrab grabInput(QWindow *window) = 0;
    // Gives them back; does nothing when they are not held.
    virtual void releaseInput() = 0;

    // Hides or shows the mouse pointer for the whole program; both are idempotent.
    virtual void hideCursor() = 0;
    virtual void showCursor() = 0;
    virtual bool cursorHidden() const = 0;
    // Whether a top-level window with exactly this title exists.
    virtual bool topLevelWindowExists(const QString &title) const = 0;
};

} // namespace korvane
