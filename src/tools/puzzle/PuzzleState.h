#pragma once

#include <QPointer>
#include <QString>

namespace korvane {

class frmLogin;
class FormPT2;

// The puzzle window's own variables. They belong to the one window object of the run,
// so they outlive the window: closing and reopening it keeps the move count.
struct PuzzleState {
    int SizeA = 2;
    int SizeB = 2;
    qint64 StepCount = 0; // only grows, across games, pictures, levels and reopenings
    QString PictureFile;
    QString ScoreFile;

    // The name window and the leaderboard, each at most once.
    QPointer<frmLogin> login;
    QPointer<FormPT2> leaderboard;
};

} // namespace korvane
