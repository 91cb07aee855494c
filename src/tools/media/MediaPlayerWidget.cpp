#include "tools/media/MediaPlayerWidget.h"

#include "tools/media/VideoSurface.h"

#include <QVideoSink>

#include <QAudioOutput>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QStackedLayout>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace korvane {

// The object names of the player and its parts, as its window and tests find them.
static constexpr char kPlayerName[] = "MediaPlayer1";
static constexpr char kPlaceholderName[] = "placeholder";
static constexpr char kVideoName[] = "video";
static constexpr char kPlayPauseName[] = "playPause";
static constexpr char kStopName[] = "stop";
static constexpr char kPositionName[] = "position";
static constexpr char kTimeName[] = "time";
static constexpr char kVolumeName[] = "volume";

static QString clockText(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(ms, 0) / 1000;
    const qint64 h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    return h > 0 ? QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'))
                 : QStringLiteral("%1:%2").arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
}

MediaPlayerWidget::MediaPlayerWidget(QWidget *parent)
    : QWidget(parent), m_player(new QMediaPlayer(this)), m_audio(new QAudioOutput(this)), m_screen(new QStackedLayout),
      m_video(new VideoSurface(this)), m_placeholder(new QLabel(this)), m_playPause(new QToolButton(this)),
      m_stop(new QToolButton(this)), m_position(new QSlider(Qt::Horizontal, this)), m_time(new QLabel(this)),
      m_volume(new QSlider(Qt::Horizontal, this))
{
    setObjectName(QLatin1String(kPlayerName));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(24, 24, 24));
    pal.setColor(QPalette::WindowText, QColor(200, 200, 200));
    setPalette(pal);

    m_player->setAudioOutput(m_audio);
    m_player->setVideoOutput(m_video->sink());
    m_audio->setVolume(0.8f);

    m_placeholder->setObjectName(QLatin1String(kPlaceholderName));
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_placeholder->setTextFormat(Qt::PlainText); // file names and the player's error texts
    m_placeholder->setWordWrap(true);
    m_placeholder->setMargin(6);
    m_video->setObjectName(QLatin1String(kVideoName));
    m_screen->addWidget(m_placeholder);
    m_screen->addWidget(m_video);

    m_playPause->setObjectName(QLatin1String(kPlayPauseName));
    m_stop->setObjectName(QLatin1String(kStopName));
    m_stop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    m_stop->setToolTip(QStringLiteral("停止"));
    m_position->setObjectName(QLatin1String(kPositionName));
    m_position->setRange(0, 0);
    m_time->setObjectName(QLatin1String(kTimeName));
    m_volume->setObjectName(QLatin1String(kVolumeName));
    m_volume->setRange(0, 100);
    m_volume->setValue(80);
    m_volume->setMaximumWidth(64);
    m_volume->setToolTip(QStringLiteral("音量"));

    auto *controls = new QHBoxLayout;
    controls->setContentsMargins(2, 2, 2, 2);
    controls->setSpacing(3);
    controls->addWidget(m_playPause);
    controls->addWidget(m_stop);
    controls->addWidget(m_position, 1);
    controls->addWidget(m_time);
    controls->addWidget(m_volume);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(m_screen, 1);
    layout->addLayout(controls);

    connect(m_playPause, &QToolButton::clicked, this, [this] {
        if (isPlaying()) {
            m_playWhenLoaded = false;
            m_player->pause();
        } else
            play();
    });
    connect(m_stop, &QToolButton::clicked, this, &MediaPlayerWidget::stop);
    connect(m_position, &QSlider::sliderMoved, m_player, [this](int ms) { m_player->setPosition(ms); });
    connect(m_volume, &QSlider::valueChanged, m_audio, [this](int v) { m_audio->setVolume(float(v) / 100.0f); });
    connect(m_player, &QMediaPlayer::playbackStateChanged, this, &MediaPlayerWidget::updateButtons);
    connect(m_player, &QMediaPlayer::durationChanged, this, [this](qint64 ms) {
        m_position->setRange(0, int(std::min<qint64>(ms, INT_MAX)));
        updateTime();
    });
    connect(m_player, &QMediaPlayer::positionChanged, this, [this](qint64 ms) {
        if (!m_position->isSliderDown())
            m_position->setValue(int(std::min<qint64>(ms, INT_MAX)));
        updateTime();
    });
    connect(m_player, &QMediaPlayer::hasVideoChanged, this, &MediaPlayerWidget::updateScreen);
    connect(m_player, &QMediaPlayer::errorOccurred, this, &MediaPlayerWidget::reportError);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::LoadingMedia)
            return;
        if (status == QMediaPlayer::LoadedMedia)
            m_openedOnce = true;
        const bool start = m_playWhenLoaded && status == QMediaPlayer::LoadedMedia;
        m_playWhenLoaded = false;
        if (start)
            m_player->play();
        updateButtons();
    });

    updateScreen();
    updateButtons();
    updateTime();
}

void MediaPlayerWidget::setFileName(const QString &path)
{
    m_fileName = path;
    m_failure.clear();
    m_playWhenLoaded = false;
    m_openedOnce = false;
    m_restarted = false;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        m_player->stop();
        m_player->setSource(QUrl());
        m_video->clear();
        m_failure = info.exists() ? QStringLiteral("无法读取文件“%1”。").arg(info.fileName())
                                  : QStringLiteral("找不到文件“%1”。").arg(path);
        updateScreen();
        return;
    }
    m_video->clear();
    m_player->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    updateScreen();
}

void MediaPlayerWidget::play()
{
    if (!m_failure.isEmpty() || m_player->source().isEmpty())
        return;
    // Starting while the file is still being opened can upset the decoder; playback then
    // starts as soon as it is open.
    if (m_player->mediaStatus() == QMediaPlayer::LoadingMedia) {
        m_playWhenLoaded = true;
        updateButtons();
        return;
    }
    m_player->play();
}

void MediaPlayerWidget::stop()
{
    m_playWhenLoaded = false;
    m_player->stop();
    updateButtons();
}

bool MediaPlayerWidget::isPlaying() const
{
    return m_playWhenLoaded || m_player->playbackState() == QMediaPlayer::PlayingState;
}

QString MediaPlayerWidget::statusText() const { return showsVideo() ? QString() : m_placeholder->text(); }

bool MediaPlayerWidget::showsVideo() const { return m_screen->currentWidget() == m_video; }

void MediaPlayerWidget::showStatus(const QString &text)
{
    m_placeholder->setText(text);
    m_screen->setCurrentWidget(m_placeholder);
}

void MediaPlayerWidget::updateScreen()
{
    if (!m_failure.isEmpty())
        showStatus(m_failure);
    else if (m_fileName.isEmpty())
        showStatus(QStringLiteral("请用“打开”选择要播放的文件"));
    else if (m_player->hasVideo())
        m_screen->setCurrentWidget(m_video);
    else
        showStatus(QStringLiteral("♪  %1").arg(QFileInfo(m_fileName).fileName()));
    updateButtons();
}

void MediaPlayerWidget::updateButtons()
{
    const bool playing = isPlaying();
    m_playPause->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_playPause->setToolTip(playing ? QStringLiteral("暂停") : QStringLiteral("播放"));
    const bool usable = m_failure.isEmpty() && !m_player->source().isEmpty();
    m_playPause->setEnabled(usable);
    m_stop->setEnabled(usable);
    m_position->setEnabled(usable);
}

void MediaPlayerWidget::updateTime()
{
    m_time->setText(clockText(m_player->position()) + QStringLiteral(" / ") + clockText(m_player->duration()));
}

void MediaPlayerWidget::reportError(QMediaPlayer::Error error)
{
    if (error == QMediaPlayer::NoError)
        return;
    // A file that opened fine can still stop with a stream error when the decoder briefly
    // found no one to hand its pictures to (a busy machine); one fresh start hides that.
    if (m_openedOnce && !m_restarted && error == QMediaPlayer::ResourceError) {
        m_restarted = true;
        const QUrl source = m_player->source();
        QTimer::singleShot(0, this, [this, source] {
            if (m_player->source() != source)
                return;
            m_player->setSource(QUrl());
            m_player->setSource(source);
            m_playWhenLoaded = true;
            if (m_player->mediaStatus() == QMediaPlayer::LoadedMedia)
                play();
        });
        return;
    }
    QString reason;
    switch (error) {
    case QMediaPlayer::FormatError: reason = QStringLiteral("不支持此文件的格式，或缺少相应的解码器。"); break;
    case QMediaPlayer::AccessDeniedError: reason = QStringLiteral("没有读取此文件的权限。"); break;
    case QMediaPlayer::NetworkError: reason = QStringLiteral("网络错误。"); break;
    default: reason = QStringLiteral("无法打开或播放此文件。"); break;
    }
    const QString detail = m_player->errorString();
    m_failure = QStringLiteral("无法播放“%1”：%2").arg(QFileInfo(m_fileName).fileName(), reason);
    if (!detail.isEmpty())
        m_failure += QStringLiteral("\n（%1）").arg(detail);
    m_playWhenLoaded = false;
    m_player->stop();
    updateScreen();
}

} // namespace korvane
