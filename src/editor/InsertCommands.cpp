#include "editor/InsertCommands.h"

#include "editor/Editor.h"

namespace korvane {

InsertCommands::InsertCommands(Editor &editor) : m_editor(editor) {}

void InsertCommands::insert(InsertItem) {}

} // namespace korvane
