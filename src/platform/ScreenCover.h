#pragma once

#include <QPointer>
#include <QWidget>

namespace korvane {

// The window that covers the whole screen while it is up: the screen saver. Nothing of
// the program may show above it but its own password prompt, and no key meant for it
// may answer a question hidden behind it, so message boxes wait until it has gone.
class ScreenCover {
public:
    // Until the window is hidden or destroyed.
    static void set(QWidget *window);
    static bool isUp();
    // Returns once no cover is up; the program's events run meanwhile.
    static void waitUntilGone();

private:
    static QPointer<QWidget> s_window;
};

} // namespace korvane
