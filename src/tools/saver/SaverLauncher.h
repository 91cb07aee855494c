#pragma once

#include "tools/saver/SaverModule.h"
#include "tools/saver/SaverSession.h"
#include "tools/saver/SaverWindow.h"

#include <QList>
#include <QPointer>

namespace korvane {

class Platform;

// The saver's entry point: reads the size setting afresh and starts the full-screen saver,
// one window per screen, unless one is already on screen. Holds the saver's state for the
// whole program.
class SaverLauncher {
public:
    explicit SaverLauncher(Platform &platform);

    void startSaver();

    SaverModule &module() { return m_module; }
    // The window on the primary screen, while the current run lasts.
    SaverWindow *window() const { return m_windows.isEmpty() ? nullptr : m_windows.first().data(); }
    // Every window of the current run that still exists, the primary screen's first.
    QList<SaverWindow *> windows() const;
    SaverSession *session() const { return m_session.data(); }

private:
    Platform &m_platform;
    SaverModule m_module;
    QPointer<SaverSession> m_session;
    QList<QPointer<SaverWindow>> m_windows;
};

} // namespace korvane
