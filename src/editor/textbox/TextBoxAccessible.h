#pragma once

#include <QAccessibleWidget>

namespace korvane {

class TextBoxView;

// What a screen reader sees of a text box: its text, caret and selection, read from the
// document the box shows.
class TextBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TextBoxAccessible(TextBoxView *view);

    static void installFactory();

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;
    // A reader asks for the character, word, sentence or line around the caret on every
    // move: these look only at the lines around the offset, however long the text.
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                             int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                            int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;

    // How far either way of the offset an item is looked for inside one long line.
    static constexpr qsizetype Reach = 4096;

private:
    enum class Item { Before, At, After };
    QString textItem(Item item, int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                     int *endOffset) const;
    TextBoxView *view() const;
};

} // namespace korvane
