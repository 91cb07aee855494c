#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane {

class Editor;

// The Find dialog "Form3": a small modeless window whose box sets the program's search
// text and whose check box sets its match-case flag (Editor::search()). There is one at a time; closing it
// destroys it, and the next Find loads a fresh one with an empty box.
class FindDialog : public QWidget {
    Q_OBJECT
public:
    static constexpr auto kObjectName = "Form3";
    static constexpr auto kLabelName = "Label1";
    static constexpr auto kSearchBoxName = "Text1";
    static constexpr auto kMatchCaseName = "Check1";
    static constexpr auto kFindNextName = "Command1";
    static constexpr auto kExitName = "Command2";

    FindDialog(Editor &editor, QWidget *owner = nullptr);
    ~FindDialog() override;

    // The open dialog, if any.
    static FindDialog *instance();
    // Shows the dialog for the editor, loading it first when it is not open.
    static FindDialog *showFor(Editor &editor, QWidget *owner);
    static QSize clientSize();

    Editor *editor() const { return m_editor; }
    QLineEdit *searchBox() const { return m_text; }
    QCheckBox *matchCaseBox() const { return m_matchCase; }
    QPushButton *findNextButton() const { return m_findNext; }
    QPushButton *exitButton() const { return m_exit; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void findNext();

    QPointer<Editor> m_editor;
    QLabel *m_label;
    QLineEdit *m_text;
    QCheckBox *m_matchCase;
    QPushButton *m_findNext;
    QPushButton *m_exit;
};

} // namespace korvane
