#pragma once

#include <QKeySequence>
#include <QList>

class QAction;

namespace korvane {

// What the window around a text box offers it: the actions behind the keys that belong
// to the window's menu rather than to the text box, and the actions of its context menu.
// Keys the text box would otherwise handle itself (Shift+Del, Shift+Insert, Ctrl+Insert,
// keypad Del) are routed to these actions too, so every edit goes through the commands.
class FrameKeys {
public:
    virtual ~FrameKeys() = default;
    // The action for a key, or null; keypad keys are asked for without the keypad modifier.
    virtual QAction *actionForKey(const QKeySequence &key) const = 0;
    // The context menu's actions in order; null stands for a separator.
    virtual QList<QAction *> contextMenuActions() const = 0;
};

} // namespace korvane
