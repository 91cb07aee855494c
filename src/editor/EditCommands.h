#pragma once

#include <QString>

namespace korvane {

class Editor;

// The "编辑" menu: undo, clipboard commands, delete, select all and Find Next.
class EditCommands {
public:
    explicit EditCommands(Editor &editor);

    void undo();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void selectAll();
    void findNext();

private:
    Editor &m_editor;
};

} // namespace korvane
