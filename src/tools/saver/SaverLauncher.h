#pragma once

#include "tools/saver/SaverModule.h"
#include "tools/saver/SaverWindow.h"

#include <QPointer>
#include <QRect>
#include <functional>

namespace korvane {

class Platform;

// The saver's entry point: reads the size setting afresh and starts the full-screen window
// unless one is already on screen. Holds the saver's state for the whole program.
class SaverLauncher {
public:
    // Where the window goes; the program uses the primary screen.
    using ScreenGeometry = std::function<QRect()>;

    SaverLauncher(Platform &platform, ScreenGeometry screen);

    void startSaver();

    SaverModule &module() { return m_module; }
    // The window of the current run while it exists.
    SaverWindow *window() const { return m_window.data(); }

    static QRect primaryScreenGeometry();

private:
    Platform &m_platform;
    ScreenGeometry m_screen;
    SaverModule m_module;
    QPointer<SaverWindow> m_window;
};

} // namespace korvane
