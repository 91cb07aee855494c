#include "tools/puzzle/frmLogin.h"

#include "platform/Platform.h"
#include "tools/puzzle/FormPT.h"
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

void frmLogin::confirm()
{
    // The count and the file name live in the puzzle window; once it has been closed
    // they are gone and there is nothing to record.
    const QString fileName = m_puzzle ? m_puzzle->label1(1)->text() : QString();
    if (!fileName.isEmpty() &&
        !RecordFile::write(fileName, m_puzzle->label1(0)->text(), m_text->text())) {
        m_platform.messages().showMessage(QStringLiteral("无法保存记录文件“%1”。").arg(fileName), MsgButtons::Ok,
                                          MsgIcon::Exclamation);
        return;
    }
    close();
}

} // namespace korvane
