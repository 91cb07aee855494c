#pragma once

#include <QDialog>
#include <deque>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

class Platform;

// The name window "恭喜恭喜": OK writes the record it was handed, with the name typed
// here. Closing it any other way writes nothing. Records that fall due while it asks
// wait their turn, each with its own count and file.
class frmLogin : public QDialog {
    Q_OBJECT
public:
    static const QString Prompt;

    explicit frmLogin(Platform &platform, QWidget *parent = nullptr);

    // Asks for a name for this record now, or once the record on screen has been
    // confirmed or closed.
    void offer(qint64 count, const QString &fileName);
    QLineEdit *text1() const { return m_text; }
    QPushButton *okButton() const { return m_ok; }

protected:
    // The close box and Esc: the record on screen is dropped, the next one comes up.
    void reject() override;

private:
    struct Record {
        qint64 count;
        QString fileName;
    };

    void confirm();
    // Puts the next waiting record that is still a record on screen; false when none is.
    bool showNext();

    Platform &m_platform;
    std::optional<Record> m_current;
    std::deque<Record> m_waiting;
    QLabel *m_prompt = nullptr;
    QLineEdit *m_text = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace korvane
