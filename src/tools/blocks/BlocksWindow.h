#pragma once

#include <QWidget>

class QLabel;
class QMenuBar;
class QPushButton;
class QTimer;

namespace korvane {
class Platform;
}

namespace korvane::blocks {

class BlocksGame;
class BoardView;

// The game window "frmForm": the next-piece frame with its preview and toggle button,
// a photograph, the board, the drop timer and the game's own menus. It only shows the
// game and hands it ticks, keys and commands; closing it discards the game.
class BlocksWindow : public QWidget {
    Q_OBJECT
public:
    // The client area below the menu bar: 4950 x 6345 twips.
    static QSize clientSize();

    explicit BlocksWindow(Platform &platform, QWidget *parent = nullptr);
    ~BlocksWindow() override;

    BlocksGame &game() { return *m_game; }
    QTimer *dropTimer() const { return m_timer; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus(QMenuBar *bar);
    void buildClient(QWidget *client);
    void refresh();

    BlocksGame *m_game;
    QTimer *m_timer;
    BoardView *m_board = nullptr;
    QLabel *m_piece = nullptr;
    QLabel *m_next = nullptr;
    QPushButton *m_display = nullptr;
    bool m_placed = false;
};

} // namespace korvane::blocks
