#pragma once

#include "tools/puzzle/PuzzleGame.h"

#include <QPointer>

namespace korvane {

class LeaderboardWindow;
class RecordNameDialog;

// The puzzle window's own variables. They belong to the one window object of the run,
// so they outlive the window: closing and reopening it keeps the move count.
struct PuzzleState {
    PuzzleGame game;

    // The name dialog and the leaderboard, each at most once.
    QPointer<RecordNameDialog> nameDialog;
    QPointer<LeaderboardWindow> leaderboard;
};

} // namespace korvane
