#include "tools/puzzle/RecordNameDialog.h"

#include "platform/Platform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvane {

namespace {
// The names the dialog's parts are known by.
constexpr auto kPromptName = "lblLabels";
constexpr auto kNameEditName = "Text1";
constexpr auto kOkButtonName = "cmdOK";

const QString DefaultName = QStringLiteral("无名");
} // namespace

const QString RecordNameDialog::Prompt = QStringLiteral("你已成为初级的第一高手,请输入您的大名号:");

RecordNameDialog::RecordNameDialog(Platform &platform, QWidget *parent) : QDialog(parent), m_platform(platform)
{
    setObjectName(QString::fromLatin1(kObjectName));
    setWindowTitle(QStringLiteral("恭喜恭喜"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_prompt = new QLabel(Prompt, this);
    m_prompt->setObjectName(QString::fromLatin1(kPromptName));
    m_prompt->setGeometry(12, 12, 300, 20);

    m_name = new QLineEdit(DefaultName, this);
    m_name->setObjectName(QString::fromLatin1(kNameEditName));
    m_name->setGeometry(12, 40, 300, 24);
    m_name->selectAll();

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QString::fromLatin1(kOkButtonName));
    m_ok->setGeometry(122, 76, 80, 26);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &RecordNameDialog::confirm);

    setFixedSize(324, 114);
}

void RecordNameDialog::offer(const DueRecord &record)
{
    m_waiting.push_back(record);
    if (!m_current)
        showNext();
}

bool RecordNameDialog::showNext()
{
    while (!m_waiting.empty()) {
        const DueRecord next = m_waiting.front();
        m_waiting.pop_front();
        // The record confirmed before it may have been for the same file, and better.
        if (PuzzleGame::stillARecord(next)) {
            m_current = next;
            m_name->setText(DefaultName);
            m_name->selectAll();
            return true;
        }
    }
    return false;
}

void RecordNameDialog::confirm()
{
    if (m_current && !PuzzleGame::write(*m_current, m_name->text())) {
        m_platform.messages().showMessage(QStringLiteral("无法保存记录文件“%1”。").arg(m_current->fileName),
                                          MsgButtons::Ok, MsgIcon::Exclamation, QString(), this);
        return;
    }
    m_current.reset();
    if (!showNext())
        close();
}

void RecordNameDialog::reject()
{
    m_current.reset();
    if (!showNext())
        QDialog::reject();
}

} // namespace korvane
