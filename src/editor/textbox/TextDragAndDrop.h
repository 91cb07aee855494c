#pragma once

#include <QObject>

class QDropEvent;

namespace korvane {

class TextBoxView;

// Dragging the selection out of a text box and dropping text into it. A drag within the
// box moves exactly the characters dragged (Ctrl copies them); text from elsewhere goes
// in as Paste would put it, with CR LF line ends; text moved into another program leaves
// this one as a Cut would take it. Every change is one command, with its undo snapshot.
// While a drag is over the box, a caret shows where the text would land.
class TextDragAndDrop : public QObject {
    Q_OBJECT
public:
    // Watches the view's viewport, where drags arrive, and starts the drags the view
    // asks for; owned by the view.
    explicit TextDragAndDrop(TextBoxView *view);

    // Drags the text [start, end) of the view's document; returns when the drag is over.
    void startDrag(qsizetype start, qsizetype end);
    // Where a drop would land, or -1 while nothing is dragged over the box.
    qsizetype dropPosition() const { return m_dropPosition; }

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showDropPosition(qsizetype position);
    void dragOver(QDropEvent *e);
    void dragLeft();
    void dropped(QDropEvent *e);
    void moveDraggedText(qsizetype position);

    TextBoxView *m_view;
    qsizetype m_dropPosition = -1;
    qsizetype m_dragStart = -1;
    qsizetype m_dragEnd = -1;
    bool m_droppedHere = false;
};

} // namespace korvane
