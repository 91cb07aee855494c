#include "editor/commands/DocumentSearch.h"

#include "editor/commands/TextSearch.h"
#include "editor/document/TextDocument.h"
#include "platform/Platform.h"

#include <utility>

namespace korvane {

DocumentSearch::DocumentSearch(Platform &platform, ActiveDocument activeDocument)
    : m_platform(platform), m_activeDocument(std::move(activeDocument))
{}

void DocumentSearch::find(TextDocument &doc, const QString &text)
{
    // The stored position is the 1-based start of the last match, which is exactly the
    // 0-based index one character after it. It may lie past the end of this document
    // (it is shared by all documents); the search then fails and starts over next time.
    const qsizetype found = TextSearch::find(doc.text(), text, m_position, m_matchCase);
    m_position = found + 1;
    if (found >= 0)
        doc.select(found, text.size());
    else
        m_platform.messages().showMessage(notFoundMessage(text), MsgButtons::Ok);
}

QString DocumentSearch::notFoundMessage(const QString &text)
{
    return QStringLiteral("Cannot Find \"") + text + QLatin1Char('"');
}

} // namespace korvane
