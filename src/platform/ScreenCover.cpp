#include "platform/ScreenCover.h"

#include <QEventLoop>
#include <QTimer>

namespace korvane {

QPointer<QWidget> ScreenCover::s_window;

void ScreenCover::set(QWidget *window) { s_window = window; }

bool ScreenCover::isUp() { return s_window && s_window->isVisible(); }

void ScreenCover::waitUntilGone()
{
    while (isUp()) {
        QEventLoop loop;
        QObject::connect(s_window.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
        // A cover that is only hidden sends no signal: look again now and then.
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace korvane
