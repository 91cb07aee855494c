#pragma once

#include "tools/puzzle/TileBoard.h"

#include <QImage>
#include <QWidget>

namespace korvane {

class RandomSource;

// The sliding-tile puzzle control: startShuffledGame() cuts TilePicture into GridA × GridB
// tiles (columns × rows), leaves the bottom-right place empty and shuffles. The player clicks a tile
// next to the empty place, or presses an arrow key to slide the neighbouring tile
// that way. tileMoved() comes once per moved tile, puzzleSolved() once when the order
// is back; after that the tiles stay put until the next game starts.
class TilePuzzle : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QImage TilePicture READ tilePicture WRITE setTilePicture)
    Q_PROPERTY(int GridA READ gridColumns WRITE setGridColumns)
    Q_PROPERTY(int GridB READ gridRows WRITE setGridRows)

public:
    explicit TilePuzzle(RandomSource &random, QWidget *parent = nullptr);

    QImage tilePicture() const { return m_picture; }
    void setTilePicture(const QImage &picture);
    // Columns and rows of the next game, limited to 2..8; reading gives the value in force.
    int gridColumns() const { return m_columns; }
    void setGridColumns(int columns) { m_columns = TileBoard::clampSize(columns); }
    int gridRows() const { return m_rows; }
    void setGridRows(int rows) { m_rows = TileBoard::clampSize(rows); }

    const TileBoard &board() const { return m_board; }
    bool isPlaying() const { return m_playing; }
    // Where a place of the running game is drawn.
    QRect placeRect(int place) const;
    int placeAt(const QPoint &pos) const;

    QSize sizeHint() const override { return {399, 399}; }

public slots:
    void startShuffledGame();
    // The player's move: slides the tile at this place when it is next to the empty place.
    bool moveTile(int place);

signals:
    void tileMoved();
    void puzzleSolved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QRect tileSource(int tile) const;

    RandomSource &m_random;
    QImage m_picture;
    QImage m_gamePicture; // the picture cut by the running game
    int m_columns = TileBoard::MinSize;
    int m_rows = TileBoard::MinSize;
    TileBoard m_board;
    bool m_playing = false;
};

} // namespace korvane
