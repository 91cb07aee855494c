#include "platform/QtSaverSystem.h"

#include "platform/PasswordPrompt.h"

#include <QApplication>
#include <QCursor>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace korvane {

QtSaverSystem::~QtSaverSystem() { showCursor(); }

bool QtSaverSystem::verifyScreenSaverPassword() { return PasswordPrompt::ask(QApplication::activeWindow()); }

QImage QtSaverSystem::grabScreen()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QImage();
    return screen->grabWindow(0).toImage();
}

void QtSaverSystem::hideCursor()
{
    if (m_cursorHidden || !qApp)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    m_cursorHidden = true;
}

void QtSaverSystem::showCursor()
{
    if (!m_cursorHidden || !qApp)
        return;
    QGuiApplication::restoreOverrideCursor();
    m_cursorHidden = false;
}

bool QtSaverSystem::topLevelWindowExists(const QString &title) const
{
    const auto windows = QApplication::topLevelWidgets();
    for (const QWidget *w : windows) {
        if (w->isWindow() && w->isVisible() && w->windowTitle() == title)
            return true;
    }
    return false;
}

} // namespace korvane
