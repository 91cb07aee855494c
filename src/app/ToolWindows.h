#pragma once

#include <QHash>
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

    void add(const QString &name, Factory factory);
    bool has(const QString &name) const { return m_factories.contains(name); }
    // Shows the tool's window modeless; returns it, or nullptr for an unknown tool.
    QWidget *show(const QString &name);
    // The tool's window while it is open.
    QWidget *window(const QString &name) const;

private:
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QWidget>> m_windows;
};

} // namespace korvane
