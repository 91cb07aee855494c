#pragma once

#include "app/Tool.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace korvane {

// One shared window object per tool. The first choice of a tool's menu item creates
// its window; choosing it again while the window is open only brings it forward; after
// the user closed it, the next choice loads a fresh window. What must outlive the
// window (a tool's own variables) lives in the factory's captured state.
class ToolWindows : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget *()>;

    void add(Tool tool, Factory factory);
    // Shows the tool's window modeless; returns it, or nullptr for a tool without a factory.
    QWidget *show(Tool tool);
    // The tool's window while it is open.
    QWidget *window(Tool tool) const;

private:
    QMap<Tool, Factory> m_factories;
    QMap<Tool, QPointer<QWidget>> m_windows;
};

} // namespace korvane
