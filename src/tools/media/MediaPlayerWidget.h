#pragma once

#include <QMediaPlayer>
#include <QWidget>

class QAudioOutput;
class QLabel;
class QSlider;
class QStackedLayout;
class QToolButton;
class QVideoWidget;

namespace korvane {

// The player control of the media window: a video surface (or a quiet placeholder for
// sound-only files and for messages) above its own buttons - play/pause, stop, a position
// slider with elapsed and total time, and the volume. The window uses only FileName and Play.
class MediaPlayerWidget : public QWidget {
    Q_OBJECT
public:
    explicit MediaPlayerWidget(QWidget *parent = nullptr);

    // Opens a file by path; a file that cannot be opened leaves the reason in the player's area.
    void setFileName(const QString &path);
    QString fileName() const { return m_fileName; }
    void play();
    void stop();

    // What the placeholder says now ("" while video shows).
    QString statusText() const;
    bool showsVideo() const;
    QMediaPlayer *player() const { return m_player; }

private:
    void showStatus(const QString &text);
    void updateScreen();
    void updateButtons();
    void updateTime();
    void reportError(QMediaPlayer::Error error);

    QString m_fileName;
    QString m_failure;
    QMediaPlayer *m_player;
    QAudioOutput *m_audio;
    QStackedLayout *m_screen;
    QVideoWidget *m_video;
    QLabel *m_placeholder;
    QToolButton *m_playPause;
    QToolButton *m_stop;
    QSlider *m_position;
    QLabel *m_time;
    QSlider *m_volume;
};

} // namespace korvane
