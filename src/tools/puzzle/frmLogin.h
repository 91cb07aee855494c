#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

class FormPT;
class Platform;

// The name window "恭喜恭喜": OK writes the record the puzzle window handed over in its
// hidden labels, with the name typed here. Closing it any other way writes nothing.
class frmLogin : public QDialog {
    Q_OBJECT
public:
    static const QString Prompt;

    explicit frmLogin(Platform &platform, QWidget *parent = nullptr);

    // The window whose labels hold the move count and the file name.
    void setPuzzleWindow(FormPT *window) { m_puzzle = window; }
    QLineEdit *text1() const { return m_text; }
    QPushButton *okButton() const { return m_ok; }

private:
    void confirm();

    Platform &m_platform;
    QPointer<FormPT> m_puzzle;
    QLabel *m_prompt = nullptr;
    QLineEdit *m_text = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace korvane
