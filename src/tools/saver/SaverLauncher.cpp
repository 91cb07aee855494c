#include "tools/saver/SaverLauncher.h"

#include "platform/Platform.h"
#include "platform/ScreenCover.h"
#include "tools/saver/SaverSession.h"
#include "tools/saver/SaverSettings.h"

namespace korvane {

SaverLauncher::SaverLauncher(Platform &platform) : m_platform(platform) {}

QList<SaverWindow *> SaverLauncher::windows() const
{
    QList<SaverWindow *> alive;
    for (const auto &w : m_windows) {
        if (w)
            alive << w.data();
    }
    return alive;
}

void SaverLauncher::startSaver()
{
    m_module.saverSize = SaverSettings::readSize(m_platform.settings());
    SaverSystemService &system = m_platform.saverSystem();
    if (system.topLevelWindowExists(SaverWindow::Title))
        return;
    QList<QRect> screens = system.screens();
    if (screens.isEmpty())
        screens << QRect(0, 0, 1024, 768);

    auto *session = new SaverSession(m_module, m_platform);
    QObject::connect(session, &SaverSession::ended, session, &QObject::deleteLater);
    m_session = session;
    QList<QSize> sizes;
    for (const QRect &screen : screens)
        sizes << screen.size();
    // The screens are copied before any window covers them.
    session->load(sizes);

    m_windows.clear();
    for (int i = 0; i < screens.size(); ++i) {
        auto *window = new SaverWindow(*session, i);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->cover(screens[i]);
        m_windows << window;
    }
    for (const auto &window : m_windows)
        window->show();
    SaverWindow *primary = m_windows.first();
    // Every window goes with the session, so the first one stands for the cover.
    ScreenCover::set(primary);
    primary->raise();
    primary->activateWindow();
    // The grab needs a window on screen; keys and buttons on any screen then reach the saver.
    session->lockInput(primary->windowHandle());
}

} // namespace korvane
