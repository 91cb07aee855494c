#include "tools/puzzle/FormPT2.h"

#include "platform/Platform.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

namespace korvane {

FormPT2::FormPT2(Platform &platform, QWidget *parent) : QWidget(parent, Qt::Window), m_platform(platform)
{
    setObjectName(QStringLiteral("FormPT2"));
    setWindowTitle(QStringLiteral("龙虎榜"));

    auto *shape = new QFrame(this);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setFrameShape(QFrame::Box);
    shape->setGeometry(12, 12, 276, 176);

    auto makeLabel = [this](const char *name, int index, const QString &text, const QRect &where) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setProperty("index", index);
        l->setGeometry(where);
        return l;
    };
    m_label1[0] = makeLabel("Label1", 0, QStringLiteral("龙  虎  榜"), QRect(24, 22, 252, 40));
    m_label1[0]->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_label1[0]->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    m_label1[0]->setFont(titleFont);

    const QString captions[3] = {QStringLiteral("初级:"), QStringLiteral("中级:"), QStringLiteral("高级:")};
    const char *arrays[3] = {"Label2", "Label3", "Label4"};
    for (int level = 0; level < 3; ++level) {
        const int y = 80 + level * 34;
        m_label1[level + 1] = makeLabel("Label1", level + 1, captions[level], QRect(30, y, 60, 24));
        m_rows[level][0] = makeLabel(arrays[level], 0, QString(), QRect(96, y, 70, 24));
        m_rows[level][0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_rows[level][1] = makeLabel(arrays[level], 1, QString(), QRect(180, y, 100, 24));
    }

    m_reset = new QPushButton(QStringLiteral("分数重置(&R)"), this);
    m_reset->setObjectName(QStringLiteral("Command1"));
    m_reset->setGeometry(24, 200, 110, 28);
    connect(m_reset, &QPushButton::clicked, this, &FormPT2::resetScores);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command2"));
    m_ok->setGeometry(166, 200, 110, 28);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);

    setFixedSize(300, 240);

    m_board.load();
    showRows();
}

QLabel *FormPT2::label(int array, int index) const
{
    if (array == 1)
        return index >= 0 && index < 4 ? m_label1[index] : nullptr;
    if (array >= 2 && array <= 4 && (index == 0 || index == 1))
        return m_rows[array - 2][index];
    return nullptr;
}

void FormPT2::showRows()
{
    for (int level = 1; level <= ScoreBoard::Levels; ++level) {
        m_rows[level - 1][0]->setText(m_board.row(level).count);
        m_rows[level - 1][1]->setText(m_board.row(level).name);
    }
}

void FormPT2::resetScores()
{
    const QStringList failed = m_board.reset();
    showRows();
    if (!failed.isEmpty())
        m_platform.messages().showMessage(QStringLiteral("无法删除记录文件“%1”。").arg(failed.join(QStringLiteral("”、“"))),
                                          MsgButtons::Ok, MsgIcon::Exclamation, QString(), this);
}

void FormPT2::closeEvent(QCloseEvent *event)
{
    // OK and the close box alike give the puzzle window back its input.
    if (m_puzzle)
        m_puzzle->setEnabled(true);
    event->accept();
}

} // namespace korvane
