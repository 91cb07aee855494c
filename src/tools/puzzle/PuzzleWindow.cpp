#include "tools/puzzle/PuzzleWindow.h"

#include "platform/Platform.h"
#include "platform/Twips.h"
#include "tools/puzzle/LeaderboardWindow.h"
#include "tools/puzzle/PuzzleState.h"
#include "tools/puzzle/RecordNameDialog.h"
#include "tools/puzzle/TilePuzzle.h"

#include <QAction>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

namespace korvane {

const QString PuzzleWindow::BuiltInPicture = QStringLiteral(":/puzzle/picture.jpg");

namespace {
const QString Title = QStringLiteral("拼图");
const QString TitleInGame = QStringLiteral("拼图  ");

// The names the window's parts are known by; the menu commands are in buildMenus().
constexpr auto kPictureName = "Image1";
constexpr auto kPuzzleName = "TilePuzzle1";
constexpr auto kSolvedLabelsName = "Label1";
constexpr auto kPlayMenuName = "play";
constexpr auto kLevelMenuName = "p3";
constexpr auto kHelpMenuName = "iy";

// The leaderboard and the name dialog are windows of their own, brought to the front.
void showInFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

PuzzleWindow::PuzzleWindow(Platform &platform, std::shared_ptr<PuzzleState> state, std::function<bool()> quitProgram,
                           QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_state(std::move(state)), m_quitProgram(std::move(quitProgram))
{
    setObjectName(QString::fromLatin1(kObjectName));
    setWindowTitle(Title);

    auto *client = new QWidget(this);
    const int side = twipsToPixels(ClientTwips);
    client->setFixedSize(side, side);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_picture = QImage(BuiltInPicture);
    m_image = new QLabel(client);
    m_image->setObjectName(QString::fromLatin1(kPictureName));
    m_image->setPixmap(QPixmap::fromImage(m_picture));
    m_image->setGeometry(0, 0, m_picture.width(), m_picture.height());

    m_puzzle = new TilePuzzle(m_platform.random(), client);
    m_puzzle->setObjectName(QString::fromLatin1(kPuzzleName));
    m_puzzle->resize(side, side);
    m_puzzle->hide();

    for (int i = 0; i < 2; ++i) {
        m_solvedLabels[i] = new QLabel(client);
        m_solvedLabels[i]->setObjectName(QString::fromLatin1(kSolvedLabelsName));
        m_solvedLabels[i]->setProperty("index", i);
        m_solvedLabels[i]->hide();
    }

    buildMenus();
    connect(m_puzzle, &TilePuzzle::tileMoved, this, &PuzzleWindow::countMove);
    connect(m_puzzle, &TilePuzzle::puzzleSolved, this, &PuzzleWindow::finishSolvedGame);

    // The control sits on the picture and knows it; every opening begins at 2 × 2.
    m_puzzle->move(m_image->pos());
    m_puzzle->setTilePicture(m_picture);
    game().setGridSize(PuzzleGame::FirstGridSize);
}

PuzzleGame &PuzzleWindow::game() const { return m_state->game; }

void PuzzleWindow::buildMenus()
{
    struct Command {
        const char *objectName;
        QString caption;
        QKeySequence key;
        void (PuzzleWindow::*run)();
    };
    auto add = [this](QMenu *menu, const Command &c) {
        QAction *a = menu->addAction(c.caption);
        a->setObjectName(QString::fromLatin1(c.objectName));
        a->setShortcut(c.key);
        if (c.run)
            connect(a, &QAction::triggered, this, c.run);
        return a;
    };
    QMenu *play = menuBar()->addMenu(QStringLiteral("选项(&P)"));
    play->setObjectName(QString::fromLatin1(kPlayMenuName));
    m_start = add(play, {"p1", QStringLiteral("开始游戏"), QKeySequence(Qt::Key_F2), &PuzzleWindow::newGame});
    add(play, {"p2", QStringLiteral("载入图像"), QKeySequence(Qt::Key_F3), &PuzzleWindow::loadPicture});

    QMenu *levels = play->addMenu(QStringLiteral("游戏级数"));
    levels->setObjectName(QString::fromLatin1(kLevelMenuName));
    const struct {
        const char *objectName;
        QString caption;
        PuzzleGame::Level level;
    } levelCommands[] = {{"p30", QStringLiteral("初级"), PuzzleGame::Level::Beginner},
                         {"p31", QStringLiteral("中级"), PuzzleGame::Level::Intermediate},
                         {"p32", QStringLiteral("高级"), PuzzleGame::Level::Advanced}};
    for (const auto &c : levelCommands) {
        QAction *a = add(levels, {c.objectName, c.caption, {}, nullptr});
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, level = c.level] { chooseLevel(level); });
        m_levels[static_cast<int>(c.level)] = a;
    }
    checkLevel(PuzzleGame::Level::Beginner);

    add(play, {"p4", QStringLiteral("龙虎榜"), {}, &PuzzleWindow::showLeaderboard});
    add(play, {"p5", QStringLiteral("游戏结束"), QKeySequence(Qt::CTRL | Qt::Key_Q), &PuzzleWindow::endGame});

    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助"));
    help->setObjectName(QString::fromLatin1(kHelpMenuName));
    add(help, {"h1", QStringLiteral("请使用400*400的图像"), {}, nullptr});
    add(help, {"h2", QStringLiteral("不要使用过大的图像"), {}, nullptr});
}

void PuzzleWindow::newGame()
{
    m_puzzle->setTilePicture(m_picture);
    m_puzzle->setGridColumns(game().gridSize());
    m_puzzle->setGridRows(game().gridSize());
    m_image->hide();
    m_puzzle->startShuffledGame();
    m_puzzle->show();
    m_puzzle->setFocus();
    m_start->setText(QStringLiteral("重新开始"));
}

void PuzzleWindow::loadPicture()
{
    const QString file = m_platform.fileDialog().showOpen(QStringLiteral("Jpg(*.jpg)|*.jpg|Gif(*.gif)|*.gif"),
                                                          QString::fromLatin1(kObjectName));
    if (file.isEmpty())
        return;
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        // The current picture and game stay as they were.
        m_platform.messages().showMessage(QStringLiteral("无法载入图像\n%1").arg(QDir::toNativeSeparators(file)),
                                          MsgButtons::Ok, MsgIcon::Exclamation, QString(), this);
        return;
    }
    game().usePicture(file);
    m_picture = picture;
    m_image->setPixmap(QPixmap::fromImage(m_picture));
    m_image->resize(m_picture.size());
    m_puzzle->hide();
    m_image->show();
    setWindowTitle(TitleInGame);
}

void PuzzleWindow::checkLevel(PuzzleGame::Level level)
{
    for (int i = 0; i < 3; ++i)
        m_levels[i]->setChecked(i == static_cast<int>(level));
}

void PuzzleWindow::chooseLevel(PuzzleGame::Level level)
{
    game().chooseLevel(level);
    checkLevel(level);
}

void PuzzleWindow::showLeaderboard()
{
    if (!m_state->leaderboard) {
        m_state->leaderboard = new LeaderboardWindow(m_platform);
        m_state->leaderboard->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_state->leaderboard->setPuzzleWindow(this);
    showInFront(m_state->leaderboard);
    setEnabled(false);
}

void PuzzleWindow::endGame()
{
    // Documents are closed through their save prompts first; a cancel keeps everything.
    if (m_quitProgram)
        m_quitProgram();
}

void PuzzleWindow::countMove()
{
    game().countMove();
    setWindowTitle(QStringLiteral("拼图  共走%1步").arg(game().stepCount()));
}

void PuzzleWindow::finishSolvedGame()
{
    // The game just solved decides the level and its file, even when another level was
    // chosen while it ran; that choice is for the next start.
    const PuzzleGame::Outcome outcome = game().solved(m_puzzle->gridColumns());
    if (outcome.markedLevel)
        checkLevel(*outcome.markedLevel);
    solvedLabel(SolvedLabel::StepCount)->setText(QString::number(game().stepCount()));
    solvedLabel(SolvedLabel::ScoreFile)->setText(game().scoreFile());
    if (outcome.record)
        askForRecordName(*outcome.record);
    setWindowTitle(TitleInGame);
    m_puzzle->setGridColumns(outcome.nextGridSize);
    m_puzzle->setGridRows(outcome.nextGridSize);
    m_puzzle->startShuffledGame();
}

void PuzzleWindow::askForRecordName(const DueRecord &record)
{
    if (!m_state->nameDialog) {
        m_state->nameDialog = new RecordNameDialog(m_platform);
        m_state->nameDialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_state->nameDialog->offer(record);
    showInFront(m_state->nameDialog);
}

} // namespace korvane
