#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace korvane {

// The password question over the screen saver. The check runs on a worker thread, so the
// saver keeps drawing and the dialog keeps answering while PAM takes its time. Shown with
// exec(), it answers Accepted only when PAM accepted the password typed.
class PasswordPrompt : public QDialog {
    Q_OBJECT
public:
    explicit PasswordPrompt(QWidget *parent = nullptr);

    void done(int result) override;

signals:
    // The prompt is on screen.
    void shown();
    // The prompt is about to disappear, whatever the answer; it is still on screen.
    void closing();

protected:
    void showEvent(QShowEvent *event) override;

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
