#include "tools/media/MediaWindow.h"

#include "platform/Platform.h"
#include "platform/Twips.h"
#include "tools/media/MediaPlayerWidget.h"

#include <QAction>
#include <QEvent>
#include <QMenuBar>
#include <QPainter>

namespace korvane {

namespace {

// The object names of the window, its menu commands and its client area, as the rest of
// the toolbox (and its tests) find them. The open dialog is owned by the window's name too.
constexpr char kWindowName[] = "Form6";
constexpr char kOpenItemName[] = "mnuopen";
constexpr char kExitItemName[] = "mnuExit";
constexpr char kClientName[] = "client";

// The client area: the window's highlight colour under its picture, drawn from the top-left.
class MediaBackground : public QWidget {
public:
    explicit MediaBackground(QWidget *parent) : QWidget(parent), m_picture(picture()) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Highlight));
        painter.drawPixmap(0, 0, m_picture);
    }

private:
    static QPixmap picture() { return QPixmap(QStringLiteral(":/media/island.png")); }

    QPixmap m_picture;
};

} // namespace

MediaWindow::MediaWindow(Platform &platform, QWidget *parent) : QMainWindow(parent), m_platform(platform)
{
    setObjectName(QLatin1String(kWindowName));
    setWindowTitle(QStringLiteral("多媒体"));
    setWindowIcon(QIcon(QStringLiteral(":/media/icon.png")));

    auto *open = menuBar()->addAction(QStringLiteral("打开"));
    open->setObjectName(QLatin1String(kOpenItemName));
    connect(open, &QAction::triggered, this, &MediaWindow::openFile);
    auto *exit = menuBar()->addAction(QStringLiteral("退出"));
    exit->setObjectName(QLatin1String(kExitItemName));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    auto *client = new MediaBackground(this);
    client->setObjectName(QLatin1String(kClientName));
    setCentralWidget(client);
    m_player = new MediaPlayerWidget(client);
    client->installEventFilter(this);

    const QSize clientSize = twipsToPixels(4680, 3090);
    resize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
    fitPlayer();
}

QRect MediaWindow::playerGeometry(QSize clientPixels)
{
    const double heightTwips = std::max(0.0, double(clientPixels.height()) * TwipsPerPixel - StripTwips);
    return QRect(0, 0, clientPixels.width(), twipsToPixels(heightTwips));
}

void MediaWindow::fitPlayer() { m_player->setGeometry(playerGeometry(centralWidget()->size())); }

bool MediaWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        fitPlayer();
    return QMainWindow::eventFilter(watched, event);
}

void MediaWindow::openFile()
{
    const QString path = m_platform.fileDialog().showOpen(QString(), QLatin1String(kWindowName));
    if (path.isEmpty())
        return;
    m_player->setFileName(path);
    m_player->play();
}

} // namespace korvane
