#include "app/ToolWindows.h"

namespace korvane {

void ToolWindows::add(const QString &name, Factory factory) { m_factories.insert(name, std::move(factory)); }

QWidget *ToolWindows::show(const QString &name)
{
    QWidget *w = window(name);
    if (!w) {
        const auto factory = m_factories.value(name);
        if (!factory)
            return nullptr;
        w = factory();
        if (!w)
            return nullptr;
        // Closing destroys the window and its controls; the tool's state stays with the factory.
        w->setAttribute(Qt::WA_DeleteOnClose);
        // Every tool window keeps the program running until it is closed, the frame gone or
        // not. Qt leaves tool-type windows (the about box) out of that unless told.
        w->setAttribute(Qt::WA_QuitOnClose);
        m_windows.insert(name, w);
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

QWidget *ToolWindows::window(const QString &name) const
{
    QWidget *w = m_windows.value(name).data();
    return w;
}

} // namespace korvane
