#pragma once

#include <QObject>

class QContextMenuEvent;
class QKeyEvent;

namespace korvane {

class FrameKeys;
class TextBoxView;

// Sends the keys that belong to the window's menu on to it, before the text box sees
// them, and opens the window's context menu over the text box. Whoever builds the box
// hands over what the window offers, as FrameKeys; a box given none keeps every key to
// itself and has no context menu. This is what routes Shift+Del, Shift+Insert, Ctrl+Insert and keypad Del
// to Cut, Paste, Copy and Delete: the text box has no clipboard or delete of its own.
class FrameKeyRouter : public QObject {
    Q_OBJECT
public:
    // Watches the view and its viewport; owned by the view. frameKeys may be null, and
    // must outlive the view otherwise.
    FrameKeyRouter(TextBoxView *view, const FrameKeys *frameKeys);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool claimShortcut(QKeyEvent *key);
    bool triggerAction(QKeyEvent *key);
    void showContextMenu(QContextMenuEvent *event);

    TextBoxView *m_view;
    const FrameKeys *m_keys;
};

} // namespace korvane
