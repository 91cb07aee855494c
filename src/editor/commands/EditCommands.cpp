#include "editor/commands/EditCommands.h"

#include "editor/document/Editor.h"
#include "editor/file/LineEnds.h"
#include "editor/document/TextDocument.h"
#include "platform/Platform.h"

namespace korvane {

EditCommands::EditCommands(Editor &editor) : m_editor(editor) {}

void EditCommands::undo()
{
    // The snapshot stays, so a second Undo gives the same text again.
    m_editor.revertToSnapshot(m_editor.activeDocumentIndex());
}

void EditCommands::cut()
{
    const int n = m_editor.activeDocumentIndex();
    m_editor.takeSnapshot(n);
    TextDocument &doc = m_editor.document(n);
    ClipboardService &clipboard = m_editor.platform().clipboard();
    clipboard.clearClipboard();
    clipboard.setClipboardText(doc.selText());
    doc.setSelText(QString());
}

void EditCommands::copy()
{
    const int n = m_editor.activeDocumentIndex();
    m_editor.platform().clipboard().setClipboardText(m_editor.document(n).selText());
}

void EditCommands::paste()
{
    const int n = m_editor.activeDocumentIndex();
    m_editor.takeSnapshot(n);
    BusyScope busy(m_editor.platform().longTasks()); // a paste over a whole big text takes seconds
    // A clipboard without text still replaces the selection, by nothing.
    m_editor.document(n).setSelText(LineEnds::pasted(m_editor.platform().clipboard().clipboardText()));
}

void EditCommands::deleteSelection()
{
    const int n = m_editor.activeDocumentIndex();
    m_editor.takeSnapshot(n);
    m_editor.document(n).setSelText(QString());
}

void EditCommands::selectAll()
{
    const int n = m_editor.activeDocumentIndex();
    TextDocument &doc = m_editor.document(n);
    doc.select(0, doc.length());
}

} // namespace korvane
