#pragma once

#include "tools/blocks/Board.h"
#include "tools/blocks/BoardPicture.h"
#include "tools/blocks/FallingPiece.h"
#include "tools/blocks/PieceProbe.h"

#include <QObject>
#include <QString>

class QWidget;

namespace korvane {
class Platform;
}

namespace korvane::blocks {

// The falling-block game without its window: the grid and the board picture kept in
// step, the falling piece, the next piece, and the drop timer's state. The window shows
// this state and forwards ticks, keys and menu commands; message boxes and random
// numbers come from the platform.
class BlocksGame : public QObject {
    Q_OBJECT
public:
    static constexpr int DropInterval = 1000; // ms, for the whole game
    // What the player can do to the falling piece; the window maps the arrow keys to these.
    enum class Move { Left, Right, Rotate, Down };
    // The preview area, in twips: its size and the width of its sunken border.
    static constexpr int PreviewWidthTwips = 1110, PreviewHeightTwips = 1335, PreviewBorderTwips = 30;

    explicit BlocksGame(Platform &platform, QObject *parent = nullptr);

    // Commands.
    void newGame();
    void dropStep();
    void togglePreview();
    void showKeyHelp();
    void showAbout();
    // One player move (key repeats included); it acts on the falling piece only while a game runs.
    void applyMove(Move move);
    void moveLeft();
    void moveRight();
    void rotate();

    // Game flow.
    // The previewed piece enters at the top and a new one is drawn for the preview.
    void spawnNextPiece();
    void drawNextPiece();
    // Lands the falling piece when it cannot fall; true when it landed.
    bool landIfBlocked();
    // Removes the full rows the landed piece covers; asks for a new game when it landed at the top.
    void clearFullRows();
    // Stops the game and blanks the board, the piece and the preview.
    void endGame();

    // State.
    bool isRunning() const { return m_running; }
    bool isDropTimerEnabled() const { return m_timerEnabled; }
    int dropInterval() const { return m_interval; }
    const Board &board() const { return m_board; }
    Board &board() { return m_board; } // for setting up positions
    const BoardPicture &boardPicture() const { return m_picture; }
    BoardPicture &boardPicture() { return m_picture; }
    const FallingPiece &piece() const { return m_piece; }
    FallingPiece &piece() { return m_piece; }
    PieceProbe &probe() { return m_probe; }
    int nextKind() const { return m_nextType; }
    // The preview's picture number (0 for none), whether it shows, and where it sits in
    // the preview area (twips from the inner top-left corner).
    int nextPicture() const { return m_nextPicture; }
    bool isPreviewVisible() const { return m_previewVisible; }
    int previewLeftTwips() const { return m_previewLeft; }
    int previewTopTwips() const { return m_previewTop; }
    QString displayCaption() const;

    // Puts the falling piece (kind, rotation count, box position) where a caller wants it.
    void placePiece(int kind, int rotCount, int left, int top);

    static QString keyHelpText();
    static QString keyHelpTitle();

signals:
    // Something the window shows has changed.
    void changed();
    // The drop timer starts counting afresh, or stops.
    void dropTimerStarted(int interval);
    void dropTimerStopped();

private:
    void moveStep(int dx, int dy);
    void land();
    void askNewGame();
    void startTimer();
    void stopTimer();
    void assignPicture(int picture);
    // The window the game's message boxes belong to: the one it lives in.
    QWidget *window() const;

    Platform &m_platform;
    Board m_board;
    BoardPicture m_picture;
    FallingPiece m_piece;
    PieceProbe m_probe{m_board, m_piece};
    int m_nextType = 0;
    int m_nextPicture = 0;
    bool m_previewVisible = true;
    int m_previewLeft = 0;
    int m_previewTop = 0;
    bool m_running = false;
    bool m_timerEnabled = false;
    int m_interval = DropInterval;
    // Raised whenever a game starts or ends, so that a step can tell that the game it
    // was working on has been replaced under it (by the game-over question).
    unsigned m_gameSerial = 0;
};

} // namespace korvane::blocks
