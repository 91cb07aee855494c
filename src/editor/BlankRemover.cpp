#include "editor/BlankRemover.h"

#include "editor/Editor.h"

namespace korvane {

BlankRemover::BlankRemover(Editor &editor) : m_editor(editor) {}

void BlankRemover::run() {}

} // namespace korvane
