#include "platform/PasswordPrompt.h"

#include "platform/PamAuthenticator.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace korvane {

// Nobody answering for this long means the saver should simply go on.
static constexpr int IdleMilliseconds = 60'000;

PasswordPrompt::PasswordPrompt(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_user(PamAuthenticator::currentUserName()), m_status(new QLabel(this)), m_password(new QLineEdit(this)),
      m_ok(nullptr), m_idle(new QTimer(this))
{
    setObjectName(QStringLiteral("PasswordPrompt"));
    setWindowTitle(QStringLiteral("屏幕保护"));
    auto *prompt = new QLabel(QStringLiteral("屏幕保护已受密码保护。请输入用户 %1 的登录密码：").arg(m_user), this);
    prompt->setTextFormat(Qt::PlainText); // the user's name, as the system has it
    prompt->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setObjectName(QStringLiteral("password"));
    m_status->setObjectName(QStringLiteral("status"));
    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &PasswordPrompt::check);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_password);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    setMinimumWidth(360);

    m_idle->setSingleShot(true);
    m_idle->setInterval(IdleMilliseconds);
    connect(m_idle, &QTimer::timeout, this, [this] {
        if (!m_checking)
            reject();
    });
    connect(m_password, &QLineEdit::textEdited, m_idle, qOverload<>(&QTimer::start));
    m_idle->start();
}

void PasswordPrompt::check()
{
    if (m_checking)
        return;
    m_checking = true;
    m_idle->stop();
    m_ok->setEnabled(false);
    m_password->setEnabled(false);
    m_status->setText(QStringLiteral("正在验证密码…"));

    // The thread outlives the dialog if the user cancels while PAM is still busy; it then
    // finishes on its own and its answer goes nowhere.
    QPointer<PasswordPrompt> self(this);
    const QString user = m_user;
    QString password = m_password->text();
    m_password->clear();
    QThread *worker = QThread::create([self, user, password]() mutable {
        const bool accepted = PamAuthenticator::authenticate(user, password);
        password.fill(QLatin1Char('\0'));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, accepted] {
            if (self)
                self->checked(accepted);
            },
            Qt::QueuedConnection);
    });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    worker->start();
}

void PasswordPrompt::checked(bool accepted)
{
    m_checking = false;
    if (accepted) {
        accept();
        return;
    }
    m_status->setText(QStringLiteral("密码不正确，请重试。"));
    m_ok->setEnabled(true);
    m_password->setEnabled(true);
    m_password->setFocus();
    m_idle->start();
}

void PasswordPrompt::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    emit shown();
}

void PasswordPrompt::done(int result)
{
    emit closing();
    QDialog::done(result);
}

} // namespace korvane
