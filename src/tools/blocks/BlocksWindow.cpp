#include "tools/blocks/BlocksWindow.h"

#include "platform/Twips.h"
#include "tools/blocks/BlocksGame.h"
#include "tools/blocks/BoardView.h"
#include "tools/blocks/DecorativePicture.h"
#include "tools/blocks/PiecePictures.h"
#include "tools/blocks/PieceShapes.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

namespace korvane::blocks {

static constexpr int PreviewBorderPixels = 2;

namespace {
// The object names of the window, its menus and its controls, as the rest of the
// toolbox (and its tests) find them.
constexpr char kWindowName[] = "frmForm";
constexpr char kDropTimerName[] = "tmrDrop";
constexpr char kGameMenuName[] = "mnuGame";
constexpr char kNewGameItemName[] = "mnuGameNew";
constexpr char kExitItemName[] = "mnuGameExit";
constexpr char kHelpMenuName[] = "mnuHelp";
constexpr char kKeyHelpItemName[] = "mnuHelpKey";
constexpr char kAboutItemName[] = "mnuGameAbout";
constexpr char kNextFrameName[] = "fraFrameNext";
constexpr char kPreviewBackgroundName[] = "picPictureNextBackGround";
constexpr char kPreviewName[] = "imgPictureNext";
constexpr char kPreviewToggleName[] = "cmdDisplay";
constexpr char kPhotoName[] = "Image1";
constexpr char kFallingPieceName[] = "picPictureNow";

// The arrow keys steer the falling piece; every other key leaves it alone.
std::optional<BlocksGame::Move> moveForKey(int key)
{
    switch (key) {
    case Qt::Key_Left: return BlocksGame::Move::Left;
    case Qt::Key_Right: return BlocksGame::Move::Right;
    case Qt::Key_Up: return BlocksGame::Move::Rotate;
    case Qt::Key_Down: return BlocksGame::Move::Down;
    default: return std::nullopt;
    }
}
} // namespace

QSize BlocksWindow::clientSize() { return twipsToPixels(4950, 6345); }

BlocksWindow::BlocksWindow(Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_game(new BlocksGame(platform, this)), m_timer(new QTimer(this))
{
    setObjectName(QLatin1String(kWindowName));
    setWindowTitle(QStringLiteral("方块"));

    m_timer->setObjectName(QLatin1String(kDropTimerName));
    connect(m_timer, &QTimer::timeout, m_game, &BlocksGame::dropStep);
    connect(m_game, &BlocksGame::dropTimerStarted, m_timer, qOverload<int>(&QTimer::start));
    connect(m_game, &BlocksGame::dropTimerStopped, m_timer, &QTimer::stop);
    connect(m_game, &BlocksGame::changed, this, &BlocksWindow::refresh);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *bar = new QMenuBar(this);
    buildMenus(bar);
    layout->setMenuBar(bar);
    auto *client = new QWidget(this);
    client->setFixedSize(clientSize());
    buildClient(client);
    layout->addWidget(client);

    // The window sees the arrow keys before whichever of its controls has the focus.
    installEventFilter(this);
    client->installEventFilter(this);
    m_display->installEventFilter(this);

    refresh();
}

BlocksWindow::~BlocksWindow() = default;

void BlocksWindow::buildMenus(QMenuBar *bar)
{
    auto item = [this](QMenu *menu, const char *name, const QString &caption, auto handler) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
    };
    QMenu *game = bar->addMenu(QStringLiteral("游戏(&G)"));
    game->setObjectName(QLatin1String(kGameMenuName));
    item(game, kNewGameItemName, QStringLiteral("新游戏(&N)"), [this] { m_game->newGame(); });
    item(game, kExitItemName, QStringLiteral("退出(&X)"), [this] { close(); });
    QMenu *help = bar->addMenu(QStringLiteral("帮助(&H)"));
    help->setObjectName(QLatin1String(kHelpMenuName));
    item(help, kKeyHelpItemName, QStringLiteral("键盘(&K)"), [this] { m_game->showKeyHelp(); });
    item(help, kAboutItemName, QStringLiteral("关于(&A)"), [this] { m_game->showAbout(); });
}

void BlocksWindow::buildClient(QWidget *client)
{
    auto *frame = new QGroupBox(QStringLiteral("下一块"), client);
    frame->setObjectName(QLatin1String(kNextFrameName));
    frame->setGeometry(twipsRect(120, 120, 1335, 2175));

    auto *preview = new QFrame(frame);
    preview->setObjectName(QLatin1String(kPreviewBackgroundName));
    preview->setGeometry(twipsRect(120, 360, 1110, 1335));
    preview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    preview->setLineWidth(PreviewBorderPixels);
    preview->setAutoFillBackground(true);
    QPalette white = preview->palette();
    white.setColor(QPalette::Window, Qt::white);
    preview->setPalette(white);

    m_next = new QLabel(preview);
    m_next->setObjectName(QLatin1String(kPreviewName));

    m_display = new QPushButton(frame);
    m_display->setObjectName(QLatin1String(kPreviewToggleName));
    m_display->setGeometry(twipsRect(120, 1800, 1095, 255));
    connect(m_display, &QPushButton::clicked, m_game, &BlocksGame::togglePreview);

    auto *photo = new QLabel(client);
    photo->setObjectName(QLatin1String(kPhotoName));
    photo->setGeometry(twipsRect(120, 2400, 1455, 3720));
    photo->setScaledContents(true);
    photo->setPixmap(QPixmap::fromImage(DecorativePicture::make()));

    m_board = new BoardView(m_game->boardPicture(), client);
    m_board->move(twipsToPixels(1680), twipsToPixels(120));

    m_piece = new QLabel(m_board);
    m_piece->setObjectName(QLatin1String(kFallingPieceName));
    m_piece->setAutoFillBackground(true);
    QPalette grey = m_piece->palette();
    grey.setColor(QPalette::Window, QColor(64, 64, 64));
    m_piece->setPalette(grey);
    m_piece->hide();
}

void BlocksWindow::refresh()
{
    const FallingPiece &piece = m_game->piece();
    constexpr int cell = PieceShapes::CellPixels;
    const QPoint origin = m_board->contentsRect().topLeft();
    if (piece.visible && piece.picture != 0) {
        m_piece->setPixmap(QPixmap::fromImage(piece.image));
        m_piece->setGeometry(origin.x() + piece.left * cell, origin.y() + piece.top * cell, piece.width() * cell,
                             piece.height() * cell);
        m_piece->show();
    } else {
        m_piece->hide();
    }
    m_board->update();

    if (m_game->nextPicture() != 0) {
        const QImage next = PiecePictures::picture(m_game->nextPicture());
        m_next->setPixmap(QPixmap::fromImage(next));
        m_next->setGeometry(PreviewBorderPixels + twipsToPixels(m_game->previewLeftTwips()),
                            PreviewBorderPixels + twipsToPixels(m_game->previewTopTwips()), next.width(),
                            next.height());
    } else {
        m_next->clear();
    }
    m_next->setVisible(m_game->isPreviewVisible() && m_game->nextPicture() != 0);
    m_display->setText(m_game->displayCaption());
}

bool BlocksWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (const auto move = moveForKey(static_cast<QKeyEvent *>(event)->key())) {
            m_game->applyMove(*move);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BlocksWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void BlocksWindow::closeEvent(QCloseEvent *event)
{
    // The game ends with its window: no more ticks, and the next opening starts afresh.
    m_timer->stop();
    QWidget::closeEvent(event);
}

} // namespace korvane::blocks
