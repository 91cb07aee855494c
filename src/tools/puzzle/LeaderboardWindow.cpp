#include "tools/puzzle/LeaderboardWindow.h"

#include "platform/Platform.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

namespace korvane {

namespace {
// The names the window's parts are known by. The title and the level captions share
// "Label1"; each level's count and name share its own name. An "index" property tells
// the elements of a name apart.
constexpr auto kFrameName = "Shape1";
constexpr auto kCaptionsName = "Label1";
constexpr const char *kLevelRowNames[ScoreBoard::Levels] = {"Label2", "Label3", "Label4"};
constexpr auto kResetButtonName = "Command1";
constexpr auto kOkButtonName = "Command2";
} // namespace

LeaderboardWindow::LeaderboardWindow(Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window), m_platform(platform)
{
    setObjectName(QString::fromLatin1(kObjectName));
    setWindowTitle(QStringLiteral("龙虎榜"));

    auto *shape = new QFrame(this);
    shape->setObjectName(QString::fromLatin1(kFrameName));
    shape->setFrameShape(QFrame::Box);
    shape->setGeometry(12, 12, 276, 176);

    auto makeLabel = [this](const char *name, int index, const QString &text, const QRect &where) {
        auto *l = new QLabel(this);
        l->setTextFormat(Qt::PlainText); // the names come from the score files
        l->setText(text);
        l->setObjectName(QString::fromLatin1(name));
        l->setProperty("index", index);
        l->setGeometry(where);
        return l;
    };
    m_captions[0] = makeLabel(kCaptionsName, 0, QStringLiteral("龙  虎  榜"), QRect(24, 22, 252, 40));
    m_captions[0]->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_captions[0]->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    m_captions[0]->setFont(titleFont);

    const QString captions[ScoreBoard::Levels] = {QStringLiteral("初级:"), QStringLiteral("中级:"),
                                                  QStringLiteral("高级:")};
    for (int level = 1; level <= ScoreBoard::Levels; ++level) {
        const int y = 80 + (level - 1) * 34;
        const char *rowName = kLevelRowNames[level - 1];
        m_captions[level] = makeLabel(kCaptionsName, level, captions[level - 1], QRect(30, y, 60, 24));
        m_counts[level - 1] = makeLabel(rowName, 0, QString(), QRect(96, y, 70, 24));
        m_counts[level - 1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_names[level - 1] = makeLabel(rowName, 1, QString(), QRect(180, y, 100, 24));
    }

    m_reset = new QPushButton(QStringLiteral("分数重置(&R)"), this);
    m_reset->setObjectName(QString::fromLatin1(kResetButtonName));
    m_reset->setGeometry(24, 200, 110, 28);
    connect(m_reset, &QPushButton::clicked, this, &LeaderboardWindow::resetScores);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QString::fromLatin1(kOkButtonName));
    m_ok->setGeometry(166, 200, 110, 28);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);

    setFixedSize(300, 240);

    m_board.load();
    showRows();
}

void LeaderboardWindow::showRows()
{
    for (int level = 1; level <= ScoreBoard::Levels; ++level) {
        countLabel(level)->setText(m_board.row(level).count);
        nameLabel(level)->setText(m_board.row(level).name);
    }
}

void LeaderboardWindow::resetScores()
{
    const QStringList failed = m_board.reset();
    showRows();
    if (!failed.isEmpty())
        m_platform.messages().showMessage(
            QStringLiteral("无法删除记录文件“%1”。").arg(failed.join(QStringLiteral("”、“"))), MsgButtons::Ok,
            MsgIcon::Exclamation, QString(), this);
}

void LeaderboardWindow::closeEvent(QCloseEvent *event)
{
    // OK and the close box alike give the puzzle window back its input.
    if (m_puzzle)
        m_puzzle->setEnabled(true);
    event->accept();
}

} // namespace korvane
