#include "editor/textbox/FrameKeyRouter.h"

#include "editor/textbox/FrameKeys.h"
#include "editor/textbox/TextBoxView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace korvane {

namespace {

// A key as the window's actions are asked for it: keypad keys without the keypad modifier.
QKeySequence plainKey(const QKeyEvent *key)
{
    return QKeySequence(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
}

} // namespace

FrameKeyRouter::FrameKeyRouter(TextBoxView *view, const FrameKeys *frameKeys)
    : QObject(view), m_view(view), m_keys(frameKeys)
{
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
}

bool FrameKeyRouter::eventFilter(QObject *watched, QEvent *event)
{
    const bool onView = watched == m_view;
    switch (event->type()) {
    case QEvent::ShortcutOverride: return onView && claimShortcut(static_cast<QKeyEvent *>(event));
    case QEvent::KeyPress: return onView && m_view->textDocument() && triggerAction(static_cast<QKeyEvent *>(event));
    case QEvent::ContextMenu: {
        // The mouse's menu arrives at the viewport, the keyboard's at the view itself.
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        if (onView && menuEvent->reason() != QContextMenuEvent::Keyboard)
            return false;
        showContextMenu(menuEvent);
        return true;
    }
    default: return false;
    }
}

bool FrameKeyRouter::claimShortcut(QKeyEvent *key)
{
    const FrameKeys *keys = m_keys;
    if (!keys)
        return false;
    const QKeySequence exact(key->keyCombination());
    if (QAction *action = keys->actionForKey(exact); action && action->shortcuts().contains(exact)) {
        key->ignore(); // the window's own shortcut: let it reach the menu
        return true;
    }
    if (keys->actionForKey(plainKey(key))) {
        key->accept(); // a second key of a menu command: the key press passes it on
        return true;
    }
    return false;
}

bool FrameKeyRouter::triggerAction(QKeyEvent *key)
{
    const FrameKeys *keys = m_keys;
    if (!keys)
        return false;
    QAction *action = keys->actionForKey(plainKey(key));
    if (!action)
        return false;
    if (action->isEnabled())
        action->trigger();
    return true;
}

void FrameKeyRouter::showContextMenu(QContextMenuEvent *event)
{
    const FrameKeys *keys = m_keys;
    if (!keys)
        return;
    QMenu menu(m_view);
    for (QAction *a : keys->contextMenuActions()) {
        if (a)
            menu.addAction(a);
        else
            menu.addSeparator();
    }
    menu.exec(event->globalPos());
}

} // namespace korvane
