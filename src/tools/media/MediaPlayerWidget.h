#pragma once

#include <QMediaPlayer>
#include <QWidget>

class QAudioOutput;
class QLabel;
class QSlider;
class QStackedLayout;
class QToolButton;

namespace korvane {

class VideoSurface;

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
    // Playing, or about to as soon as the file is open.
    bool isPlaying() const;

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
    bool m_playWhenLoaded = false;
    bool m_openedOnce = false; // the current file has been opened successfully
    bool m_restarted = false;  // and was started afresh once after a stream error
    QMediaPlayer *m_player;
    QAudioOutput *m_audio;
    QStackedLayout *m_screen;
    VideoSurface *m_video;
    QLabel *m_placeholder;
    QToolButton *m_playPause;
    QToolButton *m_stop;
    QSlider *m_position;
    QLabel *m_time;
    QSlider *m_volume;
};

} // namespace korvane
