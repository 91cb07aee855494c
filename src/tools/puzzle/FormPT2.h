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
class FormPT2 : public QWidget {
    Q_OBJECT
public:
    explicit FormPT2(Platform &platform, QWidget *parent = nullptr);

    void setPuzzleWindow(QWidget *window) { m_puzzle = window; }
    // Label1 elements 0..3 (title, level captions); Label2..Label4 elements 0 (count) and 1 (name).
    QLabel *label(int array, int index) const;
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
    QLabel *m_label1[4] = {};
    QLabel *m_rows[3][2] = {};
    QPushButton *m_reset = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace korvane
