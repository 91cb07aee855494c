#include "tools/puzzle/FormPT.h"

#include "platform/Platform.h"
#include "platform/Twips.h"
#include "tools/puzzle/FormPT2.h"
#include "tools/puzzle/PuzzleState.h"
#include "tools/puzzle/RecordFile.h"
#include "tools/puzzle/TilePuzzle.h"
#include "tools/puzzle/frmLogin.h"

#include <QAction>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

namespace korvane {

const QString FormPT::BuiltInPicture = QStringLiteral(":/puzzle/picture.jpg");

namespace {
const QString Title = QStringLiteral("拼图");
const QString TitleInGame = QStringLiteral("拼图  ");
} // namespace

FormPT::FormPT(Platform &platform, std::shared_ptr<PuzzleState> state, std::function<bool()> quitProgram,
               QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_state(std::move(state)), m_quitProgram(std::move(quitProgram))
{
    setObjectName(QStringLiteral("FormPT"));
    setWindowTitle(Title);

    auto *client = new QWidget(this);
    const int side = twipsToPixels(ClientTwips);
    client->setFixedSize(side, side);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_picture = QImage(BuiltInPicture);
    m_image = new QLabel(client);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setPixmap(QPixmap::fromImage(m_picture));
    m_image->setGeometry(0, 0, m_picture.width(), m_picture.height());

    m_puzzle = new TilePuzzle(m_platform.random(), client);
    m_puzzle->setObjectName(QStringLiteral("TilePuzzle1"));
    m_puzzle->resize(side, side);
    m_puzzle->hide();

    for (int i = 0; i < 2; ++i) {
        m_label1[i] = new QLabel(client);
        m_label1[i]->setObjectName(QStringLiteral("Label1"));
        m_label1[i]->setProperty("index", i);
        m_label1[i]->hide();
    }

    buildMenus();
    connect(m_puzzle, &TilePuzzle::TileMoved, this, &FormPT::onTileMoved);
    connect(m_puzzle, &TilePuzzle::PuzzleSolved, this, &FormPT::onPuzzleSolved);

    // Load: the control sits on the picture and knows it; every load begins at 2 × 2.
    m_puzzle->move(m_puzzle->x(), m_image->y());
    m_puzzle->move(m_image->x(), m_puzzle->y());
    m_puzzle->setTilePicture(m_picture);
    m_state->SizeA = 2;
    m_state->SizeB = 2;
}

void FormPT::buildMenus()
{
    auto item = [this](QMenu *menu, const char *name, const QString &caption, const QKeySequence &key = {}) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        return a;
    };
    QMenu *play = menuBar()->addMenu(QStringLiteral("选项(&P)"));
    play->setObjectName(QStringLiteral("play"));
    m_start = item(play, "p1", QStringLiteral("开始游戏"), QKeySequence(Qt::Key_F2));
    connect(m_start, &QAction::triggered, this, &FormPT::startGame);
    connect(item(play, "p2", QStringLiteral("载入图像"), QKeySequence(Qt::Key_F3)), &QAction::triggered, this,
            &FormPT::loadPicture);
    QMenu *levels = play->addMenu(QStringLiteral("游戏级数"));
    levels->setObjectName(QStringLiteral("p3"));
    const char *levelNames[3] = {"p30", "p31", "p32"};
    const QString levelCaptions[3] = {QStringLiteral("初级"), QStringLiteral("中级"), QStringLiteral("高级")};
    for (int i = 0; i < 3; ++i) {
        m_levels[i] = item(levels, levelNames[i], levelCaptions[i]);
        m_levels[i]->setCheckable(true);
        const int size = i + 2;
        connect(m_levels[i], &QAction::triggered, this, [this, size] { chooseLevel(size); });
    }
    m_levels[0]->setChecked(true);
    connect(item(play, "p4", QStringLiteral("龙虎榜")), &QAction::triggered, this, &FormPT::showLeaderboard);
    connect(item(play, "p5", QStringLiteral("游戏结束"), QKeySequence(Qt::CTRL | Qt::Key_Q)), &QAction::triggered,
            this, &FormPT::endGame);

    QMenu *help = menuBar()->addMenu(QStringLiteral("帮助"));
    help->setObjectName(QStringLiteral("iy"));
    item(help, "h1", QStringLiteral("请使用400*400的图像"));
    item(help, "h2", QStringLiteral("不要使用过大的图像"));
}


void FormPT::startGame()
{
    m_puzzle->setTilePicture(m_picture);
    m_puzzle->setGridA(m_state->SizeA);
    m_puzzle->setGridB(m_state->SizeB);
    m_state->SizeA = m_puzzle->gridA();
    m_state->SizeB = m_puzzle->gridB();
    m_image->hide();
    m_puzzle->StartPuzzle();
    m_puzzle->show();
    m_puzzle->setFocus();
    m_start->setText(QStringLiteral("重新开始"));
}

void FormPT::loadPicture()
{
    const QString file =
        m_platform.fileDialog().showOpen(QStringLiteral("Jpg(*.jpg)|*.jpg|Gif(*.gif)|*.gif"), QStringLiteral("FormPT"));
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
    m_state->PictureFile = file;
    m_picture = picture;
    m_image->setPixmap(QPixmap::fromImage(m_picture));
    m_image->resize(m_picture.size());
    m_puzzle->hide();
    m_image->show();
    m_state->SizeA = 2;
    m_state->SizeB = 2;
    setWindowTitle(TitleInGame);
}

void FormPT::setLevelMarks(int size)
{
    for (int i = 0; i < 3; ++i)
        m_levels[i]->setChecked(i + 2 == size);
}

void FormPT::chooseLevel(int size)
{
    m_state->SizeA = size;
    m_state->SizeB = size;
    setLevelMarks(size);
}

void FormPT::showLeaderboard()
{
    if (!m_state->leaderboard) {
        m_state->leaderboard = new FormPT2(m_platform);
        m_state->leaderboard->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_state->leaderboard->setPuzzleWindow(this);
    m_state->leaderboard->show();
    m_state->leaderboard->raise();
    m_state->leaderboard->activateWindow();
    setEnabled(false);
}

void FormPT::endGame()
{
    // Documents are closed through their save prompts first; a cancel keeps everything.
    if (m_quitProgram)
        m_quitProgram();
}

void FormPT::onTileMoved()
{
    ++m_state->StepCount;
    setWindowTitle(QStringLiteral("拼图  共走%1步").arg(m_state->StepCount));
}

void FormPT::onPuzzleSolved()
{
    // The game just solved decides the level and its file, even when another level was
    // chosen while it ran; that choice is for the next start.
    m_state->SizeA = m_puzzle->gridA();
    m_state->SizeB = m_puzzle->gridB();
    if (m_state->SizeA == 2)
        setLevelMarks(3);
    else if (m_state->SizeA == 3)
        setLevelMarks(4);
    m_label1[0]->setText(QString::number(m_state->StepCount));
    m_state->ScoreFile = RecordFile::nameForGrid(m_state->SizeA);
    m_label1[1]->setText(m_state->ScoreFile);
    if (RecordFile::beatenBy(m_state->ScoreFile, m_state->StepCount))
        showNameWindow();
    setWindowTitle(TitleInGame);
    m_puzzle->setGridA(m_state->SizeA + 1);
    m_puzzle->setGridB(m_state->SizeB + 1);
    m_state->SizeA = m_puzzle->gridA();
    m_state->SizeB = m_puzzle->gridB();
    m_puzzle->StartPuzzle();
}

void FormPT::showNameWindow()
{
    if (!m_state->login) {
        m_state->login = new frmLogin(m_platform);
        m_state->login->setAttribute(Qt::WA_DeleteOnClose);
    }
    // The name window keeps its own copy: later solves must not change what it writes.
    m_state->login->offer(m_state->StepCount, m_state->ScoreFile);
    m_state->login->show();
    m_state->login->raise();
    m_state->login->activateWindow();
}

} // namespace korvane
