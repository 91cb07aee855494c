#include "platform/QtSaverSystem.h"

#include "platform/PasswordPrompt.h"
#include "platform/X11InputGrab.h"

#include <QApplication>
#include <QCursor>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace korvane {

QtSaverSystem::QtSaverSystem() = default;

QtSaverSystem::~QtSaverSystem()
{
    releaseInput();
    showCursor();
}

bool QtSaverSystem::onWayland()
{
    // An X11 program in a Wayland session talks to XWayland, whose grabs and screen contents
    // cover only the other X11 programs: that is no lock and no picture of the desktop either.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

bool QtSaverSystem::verifyScreenSaverPassword()
{
    QPointer<QWindow> saver = m_input && m_input->held() ? m_input->holder() : nullptr;
    QWidget *parent = saver ? QWidget::find(saver->winId()) : QApplication::activeWindow();
    PasswordPrompt prompt(parent);
    if (saver) {
        // The question takes the keyboard and the pointer from the saver and gives them back
        // before it disappears, so there is no moment in which another window could get them.
        QObject::connect(&prompt, &PasswordPrompt::shown, &prompt,
                         [this, &prompt] { m_input->moveTo(prompt.windowHandle()); });
        QObject::connect(&prompt, &PasswordPrompt::closing, &prompt, [this, saver] {
            if (saver)
                m_input->moveTo(saver);
        });
    }
    return prompt.exec() == QDialog::Accepted;
}

QList<QScreen *> QtSaverSystem::orderedScreens()
{
    QList<QScreen *> screens = QGuiApplication::screens();
    if (QScreen *primary = QGuiApplication::primaryScreen()) {
        screens.removeAll(primary);
        screens.prepend(primary);
    }
    return screens;
}

QList<QRect> QtSaverSystem::screens() const
{
    QList<QRect> rects;
    for (const QScreen *screen : orderedScreens())
        rects << screen->geometry();
    return rects;
}

QImage QtSaverSystem::grabScreen(int index)
{
    // Under Wayland a program sees only its own windows; the saver shows black there.
    const QList<QScreen *> screens = orderedScreens();
    if (onWayland() || index < 0 || index >= screens.size())
        return QImage();
    return screens[index]->grabWindow(0).toImage();
}

InputGrab QtSaverSystem::grabInput(QWindow *window)
{
    if (onWayland() || !X11InputGrab::available())
        return InputGrab::Unavailable;
    if (!m_input)
        m_input = std::make_unique<X11InputGrab>();
    return m_input->take(window) ? InputGrab::Taken : InputGrab::Busy;
}

void QtSaverSystem::releaseInput()
{
    if (m_input)
        m_input->release();
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
