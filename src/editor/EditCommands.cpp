#include "editor/EditCommands.h"

#include "editor/TextDocument.h"
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
    document.setSelText(documentLineEnds(m_platform.clipboard().clipboardText()));
}

void EditCommands::deleteSelection(TextDocument &document)
{
    document.beginCommand();
    document.setSelText(QString());
}

void EditCommands::selectAll(TextDocument &document) { document.select(0, document.length()); }

QString EditCommands::documentLineEnds(const QString &clipboardText)
{
    // Text from this program, or from any program that writes CR LF, keeps every
    // character as it is; only text with no CR at all is taken to use LF line ends.
    if (clipboardText.contains(QLatin1Char('\r')) || !clipboardText.contains(QLatin1Char('\n')))
        return clipboardText;
    QString converted = clipboardText;
    converted.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return converted;
}

} // namespace korvane
