#pragma once

#include <QObject>

class QContextMenuEvent;
class QKeyEvent;

namespace korvane {

class FrameKeys;
class TextBoxView;

// Sends the keys that belong to the window's menu on to it, before the text box sees
// them, and opens the window's context menu over the text box. The window offers both
// through FrameKeys; a box in a window without one keeps every key to itself and has no
// context menu. This is what routes Shift+Del, Shift+Insert, Ctrl+Insert and keypad Del
// to Cut, Paste, Copy and Delete: the text box has no clipboard or delete of its own.
class FrameKeyRouter : public QObject {
    Q_OBJECT
public:
    // Watches the view and its viewport; owned by the view.
    explicit FrameKeyRouter(TextBoxView *view);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FrameKeys *frameKeys() const;
    bool claimShortcut(QKeyEvent *key);
    bool triggerAction(QKeyEvent *key);
    void showContextMenu(QContextMenuEvent *event);

    TextBoxView *m_view;
};

} // namespace korvane
