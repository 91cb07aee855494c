#include "editor/commands/InsertCommands.h"

#include "editor/commands/DateTimeFormats.h"
#include "editor/document/Editor.h"
#include "editor/document/TextDocument.h"
#include "editor/file/NativePath.h"
#include "platform/Platform.h"

namespace korvane {

InsertCommands::InsertCommands(Editor &editor) : m_editor(editor) {}

void InsertCommands::insert(InsertItem item)
{
    const int n = m_editor.activeDocumentIndex();
    m_editor.takeSnapshot(n);
    m_editor.document(n).setSelText(textFor(item, n));
}

QString InsertCommands::textFor(InsertItem item, int n) const
{
    const QDateTime now = m_editor.platform().clock().now();
    switch (item) {
    case InsertItem::DateShort: return DateTimeFormats::shortDate(now.date());
    case InsertItem::DateMedium: return DateTimeFormats::mediumDate(now.date());
    case InsertItem::DateLong: return DateTimeFormats::longDate(now.date());
    case InsertItem::TimeShort: return DateTimeFormats::shortTime(now.time());
    case InsertItem::TimeMedium: return DateTimeFormats::mediumTime(now.time());
    case InsertItem::TimeLong: return DateTimeFormats::longTime(now.time());
    // A name with bytes that are not UTF-8 goes into the text as it reads, not as the
    // stand-ins that keep its bytes.
    case InsertItem::FileName: return NativePath::shown(m_editor.fileTitle(n));
    case InsertItem::PathAndFile: return NativePath::shown(m_editor.filePath(n));
    }
    return QString();
}

} // namespace korvane
