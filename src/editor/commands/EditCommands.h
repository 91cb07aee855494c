#pragma once

#include <QString>

namespace korvane {

class Editor;

// The "编辑" menu: undo, clipboard commands, delete and select all. Find Next is the
// editor's search (Editor::search()), which the Find dialog shares.
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

private:
    Editor &m_editor;
};

} // namespace korvane
