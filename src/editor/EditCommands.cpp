#include "editor/EditCommands.h"

#include "editor/Editor.h"

namespace korvane {

EditCommands::EditCommands(Editor &editor) : m_editor(editor) {}

// The edit commands arrive with their own change; until then the items do nothing.
void EditCommands::undo() {}
void EditCommands::cut() {}
void EditCommands::copy() {}
void EditCommands::paste() {}
void EditCommands::deleteSelection() {}
void EditCommands::selectAll() {}
void EditCommands::findNext() {}

} // namespace korvane
