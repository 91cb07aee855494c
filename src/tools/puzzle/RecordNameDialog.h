#pragma once

#include "tools/puzzle/PuzzleGame.h"

#include <QDialog>
#include <deque>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

class Platform;

// The name dialog "恭喜恭喜": OK writes the record it was handed, with the name typed
// here. Closing it any other way writes nothing. Records that fall due while it asks
// wait their turn, each with its own count and file.
class RecordNameDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr auto kObjectName = "frmLogin";
    static const QString Prompt;

    explicit RecordNameDialog(Platform &platform, QWidget *parent = nullptr);

    // Asks for a name for this record now, or once the record on screen has been
    // confirmed or closed.
    void offer(const DueRecord &record);
    QLineEdit *nameEdit() const { return m_name; }
    QPushButton *okButton() const { return m_ok; }

protected:
    // The close box and Esc: the record on screen is dropped, the next one comes up.
    void reject() override;

private:
    void confirm();
    // Puts the next waiting record that is still a record on screen; false when none is.
    bool showNext();

    Platform &m_platform;
    std::optional<DueRecord> m_current;
    std::deque<DueRecord> m_waiting;
    QLabel *m_prompt = nullptr;
    QLineEdit *m_name = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace korvane
