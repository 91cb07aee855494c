#pragma once

#include <QAccessibleTextInterface>
#include <QString>

namespace korvane {

// A string as an accessible text of its own, with nothing selected and no caret: Qt's
// rules for characters, words and sentences run on it as they would on a whole text box.
class PlainAccessibleText : public QAccessibleTextInterface {
public:
    explicit PlainAccessibleText(QString text) : m_text(std::move(text)) {}
    void selection(int, int *s, int *e) const override { *s = *e = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int s, int e) const override { return m_text.mid(s, e - s); }
    int characterCount() const override { return int(m_text.size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *s, int *e) const override
    {
        *s = *e = 0;
        return {};
    }

private:
    QString m_text;
};

} // namespace korvane
