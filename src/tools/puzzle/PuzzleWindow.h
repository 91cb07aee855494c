#pragma once

#include "tools/puzzle/PuzzleGame.h"

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
// What is counted and what makes a record is the game's business (PuzzleGame).
class PuzzleWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr auto kObjectName = "FormPT";
    static constexpr int ClientTwips = 5985;
    static const QString BuiltInPicture;

    // The two hidden labels (both named "Label1") that hold the last solved game's
    // move count and score file.
    enum class SolvedLabel { StepCount, ScoreFile };

    PuzzleWindow(Platform &platform, std::shared_ptr<PuzzleState> state, std::function<bool()> quitProgram,
                 QWidget *parent = nullptr);

    PuzzleState &state() const { return *m_state; }
    PuzzleGame &game() const;
    TilePuzzle *tilePuzzle() const { return m_puzzle; }
    QLabel *pictureLabel() const { return m_image; }
    const QImage &picture() const { return m_picture; }
    QLabel *solvedLabel(SolvedLabel which) const { return m_solvedLabels[static_cast<int>(which)]; }

private:
    void buildMenus();
    void newGame();
    void loadPicture();
    void chooseLevel(PuzzleGame::Level level);
    void showLeaderboard();
    void endGame();
    void countMove();
    void finishSolvedGame();
    void checkLevel(PuzzleGame::Level level);
    void askForRecordName(const DueRecord &record);

    Platform &m_platform;
    std::shared_ptr<PuzzleState> m_state;
    std::function<bool()> m_quitProgram;
    QImage m_picture;
    QLabel *m_image = nullptr;
    TilePuzzle *m_puzzle = nullptr;
    QLabel *m_solvedLabels[2] = {nullptr, nullptr};
    QAction *m_start = nullptr;
    QAction *m_levels[3] = {nullptr, nullptr, nullptr};
};

} // namespace korvane
