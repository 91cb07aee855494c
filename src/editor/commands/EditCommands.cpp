#include "editor/commands/EditCommands.h"

#include "editor/document/TextDocument.h"
#include "editor/file/LineEnds.h"
#include "platform/Platform.h"

namespace korvane {

EditCommands::EditCommands(Platform &platform) : m_platform(platform) {}

void EditCommands::undo(TextDocument &document)
{
    // The snapshot stays, so a second Undo gives the same text again.
    document.revertToSnapshot();
}

void EditCommands::cut(TextDocument &document)
{
    document.beginCommand();
    ClipboardService &clipboard = m_platform.clipboard();
    clipboard.clearClipboard();
    clipboard.setClipboardText(document.selText());
    document.setSelText(QString());
}

void EditCommands::copy(TextDocument &document) { m_platform.clipboard().setClipboardText(document.selText()); }

void EditCommands::paste(TextDocument &document)
{
    document.beginCommand();
    BusyScope busy(m_platform.longTasks()); // a paste over a whole big text takes seconds
    // A clipboard without text still replaces the selection, by nothing.
    document.setSelText(LineEnds::pasted(m_platform.clipboard().clipboardText()));
}

void EditCommands::deleteSelection(TextDocument &document)
{
    document.beginCommand();
    document.setSelText(QString());
}

void EditCommands::selectAll(TextDocument &document) { document.select(0, document.length()); }

} // namespace korvane
