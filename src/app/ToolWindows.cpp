#include "app/ToolWindows.h"

namespace korvane {

void ToolWindows::add(Tool tool, Factory factory) { m_factories.insert(tool, std::move(factory)); }

QWidget *ToolWindows::show(Tool tool)
{
    QWidget *w = window(tool);
    if (!w) {
        const auto factory = m_factories.value(tool);
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
        m_windows.insert(tool, w);
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

QWidget *ToolWindows::window(Tool tool) const { return m_windows.value(tool).data(); }

} // namespace korvane
