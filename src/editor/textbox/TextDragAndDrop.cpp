#include "editor/textbox/TextDragAndDrop.h"

#include "editor/file/LineEnds.h"
#include "editor/textbox/TextBoxView.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>

namespace korvane {

TextDragAndDrop::TextDragAndDrop(TextBoxView *view) : QObject(view), m_view(view)
{
    view->setAcceptDrops(true);
    view->viewport()->installEventFilter(this);
    connect(view, &TextBoxView::selectionDragStarted, this, &TextDragAndDrop::startDrag);
}

void TextDragAndDrop::showDropPosition(qsizetype position)
{
    m_dropPosition = position;
    m_view->showDropCaret(position);
}

bool TextDragAndDrop::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: dragOver(static_cast<QDropEvent *>(event)); return true;
    case QEvent::DragLeave: dragLeft(); return true;
    case QEvent::Drop: dropped(static_cast<QDropEvent *>(event)); return true;
    default: return false;
    }
}

void TextDragAndDrop::startDrag(qsizetype start, qsizetype end)
{
    TextDocument *document = m_view->textDocument();
    m_dragStart = start;
    m_dragEnd = end;
    m_droppedHere = false;
    auto *mime = new QMimeData;
    mime->setText(document->selText());
    QDrag drag(m_view);
    drag.setMimeData(mime);
    const Qt::DropAction action = drag.exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    // Moved into another program: the text leaves this one, as a Cut would take it.
    document = m_view->textDocument();
    if (action == Qt::MoveAction && !m_droppedHere && document && m_dragEnd <= document->length())
        document->replaceAsCommand(m_dragStart, m_dragEnd - m_dragStart, QString());
    m_dragStart = m_dragEnd = -1;
}

void TextDragAndDrop::dragOver(QDropEvent *e)
{
    if (!m_view->textDocument() || !e->mimeData()->hasText()) {
        e->ignore();
        return;
    }
    const bool inside = e->source() == m_view;
    e->setDropAction(inside && !(e->modifiers() & Qt::ControlModifier) ? Qt::MoveAction : Qt::CopyAction);
    e->accept();
    showDropPosition(m_view->positionAt(e->position().toPoint()));
}

void TextDragAndDrop::dragLeft() { showDropPosition(-1); }

void TextDragAndDrop::dropped(QDropEvent *e)
{
    showDropPosition(-1);
    TextDocument *document = m_view->textDocument();
    if (!document || !e->mimeData()->hasText()) {
        e->ignore();
        return;
    }
    const qsizetype position = m_view->positionAt(e->position().toPoint());
    if (e->source() == m_view && !(e->modifiers() & Qt::ControlModifier) && m_dragStart >= 0) {
        m_droppedHere = true;
        e->setDropAction(Qt::MoveAction);
        e->accept();
        if (position >= m_dragStart && position <= m_dragEnd)
            return; // dropped onto itself
        moveDraggedText(position);
    } else {
        e->setDropAction(Qt::CopyAction);
        e->accept();
        document->replaceAsCommand(position, 0, LineEnds::pasted(e->mimeData()->text()));
    }
    m_view->setFocus();
}

void TextDragAndDrop::moveDraggedText(qsizetype position)
{
    // Exactly the characters that were dragged, line ends as they are.
    TextDocument *document = m_view->textDocument();
    const qsizetype length = m_dragEnd - m_dragStart;
    const QString text = document->text().mid(m_dragStart, length);
    const qsizetype target = position > m_dragEnd ? position - length : position;
    document->beginCommand(); // one command: one snapshot for the whole move
    document->select(m_dragStart, length);
    document->setSelText(QString());
    document->select(target, 0);
    document->setSelText(text);
    document->select(target, text.size());
}

} // namespace korvane
