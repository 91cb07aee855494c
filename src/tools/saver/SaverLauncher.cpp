#include "tools/saver/SaverLauncher.h"

#include "platform/Platform.h"
#include "platform/ScreenCover.h"
#include "tools/saver/SaverSettings.h"
#include "tools/saver/SaverWindow.h"

#include <QGuiApplication>
#include <QScreen>

namespace korvane {

SaverLauncher::SaverLauncher(Platform &platform, ScreenGeometry screen)
    : m_platform(platform), m_screen(std::move(screen))
{
}

QRect SaverLauncher::primaryScreenGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

void SaverLauncher::startSaver()
{
    m_module.saverSize = SaverSettings::readSize(m_platform.settings());
    if (m_platform.saverSystem().topLevelWindowExists(SaverWindow::Title))
        return;
    auto *window = new SaverWindow(m_module, m_platform);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_window = window;
    ScreenCover::set(window);
    // The screen is copied before the window covers it.
    window->load(m_screen ? m_screen() : primaryScreenGeometry());
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace korvane
