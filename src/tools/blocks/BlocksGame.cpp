#include "tools/blocks/BlocksGame.h"

#include "platform/Platform.h"
#include "platform/Twips.h"
#include "tools/blocks/PiecePictures.h"

#include <QPointer>
#include <QWidget>
#include <algorithm>

namespace korvane::blocks {

BlocksGame::BlocksGame(Platform &platform, QObject *parent) : QObject(parent), m_platform(platform) {}

QString BlocksGame::keyHelpTitle() { return QStringLiteral("方块 1.0 键盘操作帮助"); }

QString BlocksGame::keyHelpText()
{
    return QStringLiteral("键盘控制方法：\r\n"
                          "← 控制方块向左移动；\r\n"
                          "→ 控制方块向右移动；\r\n"
                          "↓ 控制方块向下快速移动；\r\n"
                          "↑ 控制方块的顺时针方向的翻转。");
}

QString BlocksGame::displayCaption() const
{
    return m_previewVisible ? QStringLiteral("隐藏(&D)") : QStringLiteral("显示(&S)");
}

void BlocksGame::startTimer()
{
    m_timerEnabled = true;
    emit dropTimerStarted(m_interval);
}

void BlocksGame::stopTimer()
{
    m_timerEnabled = false;
    emit dropTimerStopped();
}

void BlocksGame::assignPicture(int picture)
{
    m_piece.picture = picture;
    m_piece.image = PiecePictures::picture(picture);
}

void BlocksGame::placePiece(int kind, int rotCount, int left, int top)
{
    m_piece.kind = kind;
    m_piece.rotations = rotCount;
    m_piece.left = left;
    m_piece.top = top;
    assignPicture(PieceShapes::pictureNumber(kind, PieceShapes::orientationOf(kind, rotCount)));
    emit changed();
}

void BlocksGame::newGame()
{
    m_board.clear();
    m_probe.resetBoxColumn();
    m_picture.clear();
    m_interval = DropInterval;
    m_running = true;
    ++m_gameSerial;
    drawNextPiece();
    spawnNextPiece();
}

void BlocksGame::spawnNextPiece()
{
    m_piece.visible = false;
    stopTimer();
    m_piece.kind = m_nextType;
    assignPicture(m_nextPicture);
    drawNextPiece();
    m_piece.rotations = 0;
    m_piece.left = 4;
    m_piece.top = 0;
    m_piece.visible = true;
    startTimer();
    emit changed();
}

void BlocksGame::drawNextPiece()
{
    RandomSource &random = m_platform.random();
    random.seedFromTime();
    const double r = random.nextRandom();
    m_nextType = std::clamp(static_cast<int>(r * PieceShapes::KindCount + 1), 1, PieceShapes::KindCount);
    m_nextPicture = PieceShapes::pictureNumber(m_nextType, 0);
    const QImage next = PiecePictures::picture(m_nextPicture);
    m_previewLeft = (PreviewWidthTwips - pixelsToTwips(next.width())) / 2 - PreviewBorderTwips;
    m_previewTop = (PreviewHeightTwips - pixelsToTwips(next.height())) / 2 - PreviewBorderTwips;
    emit changed();
}

void BlocksGame::moveStep(int dx, int dy)
{
    // The box shows its clean picture again, then the board beneath its new place
    // through the picture's white parts.
    m_piece.image = PiecePictures::picture(m_piece.picture);
    const QImage beneath = m_picture.region(m_piece.left + dx, m_piece.top + dy, m_piece.width(), m_piece.height());
    m_piece.left += dx;
    m_piece.top += dy;
    BoardPicture::andInto(m_piece.image, beneath);
}

void BlocksGame::moveLeft()
{
    if (m_piece.left - 1 >= 0 && m_probe.canMoveLeft())
        moveStep(-1, 0);
    emit changed();
}

void BlocksGame::moveRight()
{
    if (m_piece.left + m_piece.width() < Board::Columns && m_probe.canMoveRight())
        moveStep(1, 0);
    emit changed();
}

void BlocksGame::rotate()
{
    if (!m_probe.canRotate())
        return;
    const int kind = m_piece.kind;
    ++m_piece.rotations;
    const int orientation = PieceShapes::orientationOf(kind, m_piece.rotations);
    const PieceShape *shape = PieceShapes::shape(kind, orientation);
    if (kind == 1) {
        if (orientation == 1) { // lying, on the row of the upright piece's lowest cell
            m_piece.top += 3;
            m_piece.left = m_probe.rotatedLeft();
        } else {
            m_piece.top = m_probe.rotatedTop();
            m_piece.left += 1;
        }
    } else if (shape->width == 3) { // tall to wide: keeps its lower two rows
        m_piece.top += 1;
        m_piece.left = m_probe.rotatedLeft();
    } else {
        m_piece.top = m_probe.rotatedTop();
    }
    assignPicture(shape->picture);
    emit changed();
}

void BlocksGame::applyMove(Move move)
{
    if (!m_running)
        return;
    switch (move) {
    case Move::Left: moveLeft(); break;
    case Move::Right: moveRight(); break;
    case Move::Down: dropStep(); break;
    case Move::Rotate: rotate(); break;
    }
}

void BlocksGame::dropStep()
{
    if (!m_running)
        return;
    const unsigned serial = m_gameSerial;
    if (landIfBlocked()) {
        if (serial != m_gameSerial) { // the game-over question replaced or ended the game
            emit changed();
            return;
        }
        // The piece that has just entered must be able to fall into the board; when
        // the pile leaves it no room, the game is over.
        if (!m_probe.fitsAt(m_piece.left, m_piece.top) || !m_probe.fitsAt(m_piece.left, m_piece.top + 1)) {
            askNewGame();
            emit changed();
            return;
        }
    }
    moveStep(0, 1);
    if (m_piece.top + m_piece.height() > Board::Rows)
        spawnNextPiece();
    emit changed();
}

bool BlocksGame::landIfBlocked()
{
    m_probe.locateCells();
    for (int i = 1; i <= 4; ++i) {
        const CellCoord &c = m_probe.cells()[i];
        if (c.bottom && c.y >= 1 && (c.y >= Board::Rows || !m_board.isEmpty(c.x, c.y + 1))) {
            land();
            return true;
        }
    }
    return false;
}

void BlocksGame::land()
{
    for (int i = 1; i <= 4; ++i) {
        const CellCoord &c = m_probe.cells()[i];
        m_board.set(c.x, c.y, Board::Occupied);
    }
    m_picture.stamp(PiecePictures::picture(m_piece.picture), m_piece.left, m_piece.top);
    const unsigned serial = m_gameSerial;
    clearFullRows();
    if (serial == m_gameSerial && m_piece.visible)
        spawnNextPiece();
}

void BlocksGame::clearFullRows()
{
    const int top = m_piece.top + 1;
    const int bottom = m_piece.top + m_piece.height();
    for (int y = bottom; y >= top; --y) {
        if (m_board.isRowFull(y)) {
            m_picture.removeRow(y);
            m_board.removeRow(y);
            ++y; // the row that moved into y may be full as well
        }
    }
    if (m_piece.top <= 0)
        askNewGame();
}

void BlocksGame::askNewGame()
{
    // No ticks while the question waits: the piece has nowhere to go.
    stopTimer();
    emit changed();
    const QPointer<BlocksGame> self(this);
    const MsgAnswer answer = m_platform.messages().showMessage(
        QStringLiteral("你玩完了！想再试试身手吗？"), MsgButtons::YesNo, MsgIcon::Question, QString(), window());
    if (!self)
        return; // the window closed while the question waited for the screen saver to end
    if (answer == MsgAnswer::Yes)
        newGame();
    else
        endGame();
}

QWidget *BlocksGame::window() const { return qobject_cast<QWidget *>(parent()); }

void BlocksGame::endGame()
{
    // The grid goes with the picture, so that the two never disagree.
    m_board.clear();
    m_picture.clear();
    m_nextPicture = 0;
    m_piece.visible = false;
    stopTimer();
    m_running = false;
    ++m_gameSerial;
    emit changed();
}

void BlocksGame::togglePreview()
{
    m_previewVisible = !m_previewVisible;
    emit changed();
}

void BlocksGame::showKeyHelp()
{
    m_platform.messages().showMessage(keyHelpText(), MsgButtons::Ok, MsgIcon::Information, keyHelpTitle(), window());
}

void BlocksGame::showAbout()
{
    m_platform.messages().showMessage(QStringLiteral("方块1.0"), MsgButtons::Ok, MsgIcon::Information, QString(),
                                      window());
}

} // namespace korvane::blocks
