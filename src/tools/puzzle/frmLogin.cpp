#include "tools/puzzle/frmLogin.h"

#include "platform/Platform.h"
#include "tools/puzzle/RecordFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvane {

const QString frmLogin::Prompt = QStringLiteral("你已成为初级的第一高手,请输入您的大名号:");

frmLogin::frmLogin(Platform &platform, QWidget *parent) : QDialog(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("恭喜恭喜"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_prompt = new QLabel(Prompt, this);
    m_prompt->setObjectName(QStringLiteral("lblLabels"));
    m_prompt->setGeometry(12, 12, 300, 20);

    m_text = new QLineEdit(QStringLiteral("无名"), this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setGeometry(12, 40, 300, 24);
    m_text->selectAll();

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setGeometry(122, 76, 80, 26);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &frmLogin::confirm);

    setFixedSize(324, 114);
}

void frmLogin::offer(qint64 count, const QString &fileName)
{
    m_waiting.push_back({count, fileName});
    if (!m_current)
        showNext();
}

bool frmLogin::showNext()
{
    while (!m_waiting.empty()) {
        const Record next = m_waiting.front();
        m_waiting.pop_front();
        // The record confirmed before it may have been for the same file, and better.
        if (RecordFile::beatenBy(next.fileName, next.count)) {
            m_current = next;
            m_text->setText(QStringLiteral("无名"));
            m_text->selectAll();
            return true;
        }
    }
    return false;
}

void frmLogin::confirm()
{
    if (m_current && !RecordFile::write(m_current->fileName, QString::number(m_current->count), m_text->text())) {
        m_platform.messages().showMessage(QStringLiteral("无法保存记录文件“%1”。").arg(m_current->fileName),
                                          MsgButtons::Ok, MsgIcon::Exclamation, QString(), this);
        return;
    }
    m_current.reset();
    if (!showNext())
        close();
}

void frmLogin::reject()
{
    m_current.reset();
    if (!showNext())
        QDialog::reject();
}

} // namespace korvane
