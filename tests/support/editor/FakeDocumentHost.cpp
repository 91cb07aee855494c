#include "FakeDocumentHost.h"

#include "editor/Editor.h"
#include "editor/commands/FileCommands.h"

namespace korvane {

void FakeDocumentHost::openWindow(int slot, TextDocument *)
{
    open << slot;
    m_active = slot;
}

bool FakeDocumentHost::closeWindow(int slot)
{
    if (!open.contains(slot))
        return true;
    // What the document window's close handling does.
    if (m_editor) {
        TextDocument &document = m_editor->document(slot);
        if (document.isChanged())
            bringForward(slot);
        if (!m_editor->files().maybeSave(document))
            return false;
    }
    open.removeAll(slot);
    if (m_editor)
        m_editor->releaseSlot(slot);
    if (m_active == slot)
        m_active = open.isEmpty() ? 0 : open.last();
    return true;
}

void FakeDocumentHost::activateWindow(int slot)
{
    activations << slot;
    m_active = slot;
}

} // namespace korvane
