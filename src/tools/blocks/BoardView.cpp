#include "tools/blocks/BoardView.h"

#include "tools/blocks/BoardPicture.h"

#include <QPainter>

namespace korvane::blocks {

// The object name the window and its tests find the board picture by.
static constexpr char kObjectName[] = "picBackGround";

BoardView::BoardView(const BoardPicture &picture, QWidget *parent) : QFrame(parent), m_picture(picture)
{
    setObjectName(QLatin1String(kObjectName));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(sizeHint());
}

QSize BoardView::sizeHint() const { return {BoardPicture::Width + 2, BoardPicture::Height + 2}; }

void BoardView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.drawImage(contentsRect().topLeft(), m_picture.image());
}

} // namespace korvane::blocks
