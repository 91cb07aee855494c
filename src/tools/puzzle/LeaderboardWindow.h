#pragma once

#include "tools/puzzle/ScoreBoard.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace korvane {

class Platform;

// The leaderboard "龙虎榜": the records of the three levels as they were when it opened,
// a button that deletes them, and OK. While it is open the puzzle window is disabled;
// closing it either way enables that window again.
class LeaderboardWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr auto kObjectName = "FormPT2";

    explicit LeaderboardWindow(Platform &platform, QWidget *parent = nullptr);

    void setPuzzleWindow(QWidget *window) { m_puzzle = window; }
    QLabel *titleLabel() const { return m_captions[0]; }
    // Level 1..3 (初级, 中级, 高级): its caption, its record's move count and its holder.
    QLabel *levelCaption(int level) const { return m_captions[level]; }
    QLabel *countLabel(int level) const { return m_counts[level - 1]; }
    QLabel *nameLabel(int level) const { return m_names[level - 1]; }
    QPushButton *resetButton() const { return m_reset; }
    QPushButton *okButton() const { return m_ok; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showRows();
    void resetScores();

    Platform &m_platform;
    ScoreBoard m_board;
    QPointer<QWidget> m_puzzle;
    QLabel *m_captions[ScoreBoard::Levels + 1] = {}; // the title, then the level captions
    QLabel *m_counts[ScoreBoard::Levels] = {};
    QLabel *m_names[ScoreBoard::Levels] = {};
    QPushButton *m_reset = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace korvane
