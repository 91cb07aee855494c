#include "tools/puzzle/TilePuzzle.h"

#include "platform/RandomSource.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace korvane {

TilePuzzle::TilePuzzle(RandomSource &random, QWidget *parent) : QWidget(parent), m_random(random)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Every run of the program deals other games.
    m_random.seedFromTime();
}

void TilePuzzle::setTilePicture(const QImage &picture) { m_picture = picture; }

void TilePuzzle::startShuffledGame()
{
    m_gamePicture = m_picture;
    m_board.setSize(m_columns, m_rows);
    m_board.shuffle(m_random);
    m_playing = true;
    update();
}

bool TilePuzzle::moveTile(int place)
{
    if (!m_playing || !m_board.move(place))
        return false;
    update();
    const bool solved = m_board.isSolved();
    if (solved)
        m_playing = false;
    emit tileMoved();
    // Last, because a handler may start the next game right away.
    if (solved)
        emit puzzleSolved();
    return true;
}

QRect TilePuzzle::placeRect(int place) const
{
    const int cols = m_board.columns();
    const int rows = m_board.rows();
    const int col = place % cols;
    const int row = place / cols;
    const int x0 = col * width() / cols;
    const int x1 = (col + 1) * width() / cols;
    const int y0 = row * height() / rows;
    const int y1 = (row + 1) * height() / rows;
    return {x0, y0, x1 - x0, y1 - y0};
}

int TilePuzzle::placeAt(const QPoint &pos) const
{
    if (!rect().contains(pos))
        return -1;
    const int col = pos.x() * m_board.columns() / width();
    const int row = pos.y() * m_board.rows() / height();
    return row * m_board.columns() + col;
}

QRect TilePuzzle::tileSource(int tile) const
{
    const int cols = m_board.columns();
    const int rows = m_board.rows();
    const int col = tile % cols;
    const int row = tile / cols;
    const int w = m_gamePicture.width();
    const int h = m_gamePicture.height();
    const int x0 = col * w / cols;
    const int y0 = row * h / rows;
    return {x0, y0, (col + 1) * w / cols - x0, (row + 1) * h / rows - y0};
}

void TilePuzzle::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QColor gap = palette().color(QPalette::Dark);
    p.fillRect(rect(), gap);
    for (int place = 0; place < m_board.placeCount(); ++place) {
        const int tile = m_board.tileAt(place);
        if (tile == TileBoard::Empty)
            continue;
        const QRect target = placeRect(place);
        if (m_gamePicture.isNull())
            p.fillRect(target, palette().color(QPalette::Button));
        else
            p.drawImage(target, m_gamePicture, tileSource(tile));
    }
    // Thin lines between the tiles.
    p.setPen(QPen(palette().color(QPalette::Shadow), 1));
    for (int c = 1; c < m_board.columns(); ++c) {
        const int x = c * width() / m_board.columns();
        p.drawLine(x, 0, x, height() - 1);
    }
    for (int r = 1; r < m_board.rows(); ++r) {
        const int y = r * height() / m_board.rows();
        p.drawLine(0, y, width() - 1, y);
    }
}

void TilePuzzle::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        moveTile(placeAt(event->position().toPoint()));
    QWidget::mousePressEvent(event);
}

void TilePuzzle::keyPressEvent(QKeyEvent *event)
{
    TileBoard::Direction direction;
    switch (event->key()) {
    case Qt::Key_Left: direction = TileBoard::Direction::Left; break;
    case Qt::Key_Right: direction = TileBoard::Direction::Right; break;
    case Qt::Key_Up: direction = TileBoard::Direction::Up; break;
    case Qt::Key_Down: direction = TileBoard::Direction::Down; break;
    default: QWidget::keyPressEvent(event); return;
    }
    const int source = m_board.slideSource(direction);
    if (source >= 0)
        moveTile(source);
}

} // namespace korvane
