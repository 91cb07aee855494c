#include "tools/blocks/BoardView.h"

#include "tools/blocks/BoardPicture.h"

#include <QPainter>

namespace korvane::blocks {

BoardView::BoardView(const BoardPicture &picture, QWidget *parent) : QFrame(parent), m_picture(picture)
{
    setObjectName(QStringLiteral("picBackGround"));
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
