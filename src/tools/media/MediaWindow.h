#pragma once

#include <QMainWindow>

namespace korvane {

class MediaPlayerWidget;
class Platform;

// "Form6", the media window: a player filling the window except a strip at the bottom
// that shows the window's picture, and the commands "打开" and "退出".
class MediaWindow : public QMainWindow {
    Q_OBJECT
public:
    // The free strip below the player, in twips.
    static constexpr int StripTwips = 250;

    explicit MediaWindow(Platform &platform, QWidget *parent = nullptr);

    // Where the player goes in a client area of this many pixels: all of it but the strip,
    // never a negative height.
    static QRect playerGeometry(QSize clientPixels);

    MediaPlayerWidget *player() const { return m_player; }
    QWidget *client() const { return centralWidget(); }

    // "打开": choose a file and play it; a cancelled dialog leaves everything as it was.
    void openFile();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitPlayer();

    Platform &m_platform;
    MediaPlayerWidget *m_player;
};

} // namespace korvane
