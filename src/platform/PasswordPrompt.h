#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace korvane {

// The password question over the screen saver. The check runs on a worker thread, so the
// saver keeps drawing and the dialog keeps answering while PAM takes its time.
class PasswordPrompt : public QDialog {
    Q_OBJECT
public:
    explicit PasswordPrompt(QWidget *parent = nullptr);

    // Shows the prompt modal; true only when PAM accepted the password typed.
    static bool ask(QWidget *parent);

private:
    void check();
    void checked(bool accepted);

    QString m_user;
    QLabel *m_status;
    QLineEdit *m_password;
    QPushButton *m_ok;
    QTimer *m_idle;
    bool m_checking = false;
};

} // namespace korvane
