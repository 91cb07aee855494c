#pragma once

#include "tools/puzzle/TileBoard.h"

#include <QImage>
#include <QWidget>

namespace korvane {

class RandomSource;

// The sliding-tile puzzle control: StartPuzzle cuts TilePicture into GridA × GridB
// tiles, leaves the bottom-right place empty and shuffles. The player clicks a tile
// next to the empty place, or presses an arrow key to slide the neighbouring tile
// that way. TileMoved comes once per moved tile, PuzzleSolved once when the order is
// back; after that the tiles stay put until the next StartPuzzle.
class TilePuzzle : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QImage TilePicture READ tilePicture WRITE setTilePicture)
    Q_PROPERTY(int GridA READ gridA WRITE setGridA)
    Q_PROPERTY(int GridB READ gridB WRITE setGridB)

public:
    explicit TilePuzzle(RandomSource &random, QWidget *parent = nullptr);

    QImage tilePicture() const { return m_picture; }
    void setTilePicture(const QImage &picture);
    // Columns and rows of the next game, limited to 2..8; reading gives the value in force.
    int gridA() const { return m_gridA; }
    void setGridA(int columns) { m_gridA = TileBoard::clampSize(columns); }
    int gridB() const { return m_gridB; }
    void setGridB(int rows) { m_gridB = TileBoard::clampSize(rows); }

    const TileBoard &board() const { return m_board; }
    bool isPlaying() const { return m_playing; }
    // Where a place of the running game is drawn.
    QRect placeRect(int place) const;
    int placeAt(const QPoint &pos) const;

    QSize sizeHint() const override { return {399, 399}; }

public slots:
    void StartPuzzle();
    // The player's move: slides the tile at this place when it is next to the empty place.
    bool moveTile(int place);

signals:
    void TileMoved();
    void PuzzleSolved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QRect tileSource(int tile) const;

    RandomSource &m_random;
    QImage m_picture;
    QImage m_gamePicture; // the picture cut by the running game
    int m_gridA = TileBoard::MinSize;
    int m_gridB = TileBoard::MinSize;
    TileBoard m_board;
    bool m_playing = false;
};

} // namespace korvane
