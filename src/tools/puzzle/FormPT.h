#pragma once

#include <QImage>
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QLabel;

namespace korvane {

class Platform;
class TilePuzzle;
struct PuzzleState;

// The tile puzzle window "拼图": shows a picture, starts games on it with the puzzle
// control, counts the moves in its caption and, after each solved puzzle, asks for the
// player's name when the level's record is beaten and starts the next, larger game.
class FormPT : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int ClientTwips = 5985;
    static const QString BuiltInPicture;

    FormPT(Platform &platform, std::shared_ptr<PuzzleState> state, std::function<bool()> quitProgram,
           QWidget *parent = nullptr);

    PuzzleState &state() const { return *m_state; }
    TilePuzzle *tilePuzzle() const { return m_puzzle; }
    QLabel *image1() const { return m_image; }
    const QImage &picture() const { return m_picture; }
    // The hidden hand-over labels read by the name window: 0 the move count, 1 the file name.
    QLabel *label1(int index) const { return m_label1[index]; }

private:
    void buildMenus();
    void startGame();
    void loadPicture();
    void chooseLevel(int size);
    void showLeaderboard();
    void endGame();
    void onTileMoved();
    void onPuzzleSolved();
    void setLevelMarks(int size);
    void showNameWindow();

    Platform &m_platform;
    std::shared_ptr<PuzzleState> m_state;
    std::function<bool()> m_quitProgram;
    QImage m_picture;
    QLabel *m_image = nullptr;
    TilePuzzle *m_puzzle = nullptr;
    QLabel *m_label1[2] = {nullptr, nullptr};
    QAction *m_start = nullptr;
    QAction *m_levels[3] = {nullptr, nullptr, nullptr};
};

} // namespace korvane
