#pragma once

#include <QString>

namespace korvane {

class Editor;

// The "编辑" menu: undo, clipboard commands, delete, select all and Find Next, and the
// search step the Find dialog's button shares with Find Next.
class EditCommands {
public:
    explicit EditCommands(Editor &editor);

    // Puts the slot's snapshot back as the whole text; nothing when there is none.
    void undo();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void selectAll();
    // Searches the active document for the program's search text.
    void findNext();

    // Looks for text one character after the start of the previous match (or from the
    // beginning after a miss) and selects it; says so when it is not there.
    void searchStep(const QString &text);

    static QString notFoundMessage(const QString &text);
    // Clipboard text from programs that end lines with a bare LF, in document form.
    static QString documentLineEnds(const QString &clipboardText);

private:
    Editor &m_editor;
};

} // namespace korvane
