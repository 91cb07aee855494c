#include "editor/textbox/MiddleClickPaste.h"

#include "editor/file/LineEnds.h"
#include "editor/textbox/TextBoxView.h"
#include "platform/ClipboardService.h"

#include <QMouseEvent>

namespace korvane {

MiddleClickPaste::MiddleClickPaste(TextBoxView *view, const ClipboardService &clipboard)
    : QObject(view), m_view(view), m_clipboard(clipboard)
{
    view->viewport()->installEventFilter(this);
}

bool MiddleClickPaste::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::MiddleButton)
        return false;
    // The view's own press handling has nothing to do for the middle button.
    if (TextDocument *document = m_view->textDocument()) {
        const qsizetype position = m_view->positionAt(mouse->position().toPoint());
        const QString text = m_clipboard.selectionText();
        if (!text.isEmpty())
            document->replaceAsCommand(position, 0, LineEnds::pasted(text));
    }
    return true;
}

} // namespace korvane
