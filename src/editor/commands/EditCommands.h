#pragma once

#include <QString>

namespace korvane {

class Platform;
class TextDocument;

// The "编辑" menu: undo, clipboard commands, delete and select all, each on the document
// it is given. Find Next is the editor's search (Editor::search()), which the Find
// dialog shares.
class EditCommands {
public:
    explicit EditCommands(Platform &platform);

    // Puts the document's snapshot back as the whole text; nothing when there is none.
    void undo(TextDocument &document);
    void cut(TextDocument &document);
    void copy(TextDocument &document);
    void paste(TextDocument &document);
    void deleteSelection(TextDocument &document);
    void selectAll(TextDocument &document);

private:
    Platform &m_platform;
};

} // namespace korvane
