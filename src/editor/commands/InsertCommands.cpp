#include "editor/commands/InsertCommands.h"

#include "editor/commands/DateTimeFormats.h"
#include "editor/document/TextDocument.h"
#include "editor/file/NativePath.h"
#include "platform/Platform.h"

namespace korvane {

InsertCommands::InsertCommands(Platform &platform) : m_platform(platform) {}

void InsertCommands::insert(TextDocument &document, InsertItem item)
{
    document.beginCommand();
    document.setSelText(textFor(document, item));
}

QString InsertCommands::textFor(const TextDocument &document, InsertItem item) const
{
    const QDateTime now = m_platform.clock().now();
    switch (item) {
    case InsertItem::DateShort: return DateTimeFormats::shortDate(now.date());
    case InsertItem::DateMedium: return DateTimeFormats::mediumDate(now.date());
    case InsertItem::DateLong: return DateTimeFormats::longDate(now.date());
    case InsertItem::TimeShort: return DateTimeFormats::shortTime(now.time());
    case InsertItem::TimeMedium: return DateTimeFormats::mediumTime(now.time());
    case InsertItem::TimeLong: return DateTimeFormats::longTime(now.time());
    // A name with bytes that are not UTF-8 goes into the text as it reads, not as the
    // stand-ins that keep its bytes.
    case InsertItem::FileName: return NativePath::shown(document.fileTitle());
    case InsertItem::PathAndFile: return NativePath::shown(document.filePath());
    }
    return QString();
}

} // namespace korvane
