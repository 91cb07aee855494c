#include "editor/commands/BlankRemover.h"

#include "editor/commands/DocumentSearch.h"
#include "editor/document/TextDocument.h"
#include "platform/Platform.h"

#include <new>

namespace korvane {

BlankRemover::BlankRemover(Platform &platform, DocumentSearch &search) : m_platform(platform), m_search(search) {}

void BlankRemover::run(TextDocument &doc)
{
    doc.beginCommand();
    // The whole text is gone through, which takes seconds on a text of a gigabyte.
    BusyScope busy(m_platform.longTasks());
    QString result;
    try {
        result = stripLeadingBlanks(doc.text());
    } catch (const std::bad_alloc &) {
        // The result is built beside the text; on a huge text there may be no room for it.
        m_platform.messages().showMessage(NoMemoryMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    // The scan ends at the end of the text, and Find Next goes on from there: the next
    // F3 reports a miss once and then starts again from the beginning.
    m_search.setPosition(doc.length());
    doc.setText(result);
}

QString BlankRemover::stripLeadingBlanks(QStringView text)
{
    static constexpr QStringView LineEnd = u"\r\n";
    QString out;
    out.reserve(text.size());
    qsizetype lineStart = 0;
    for (;;) {
        qsizetype first = lineStart;
        while (first < text.size() && text[first] == QLatin1Char(' '))
            ++first;
        const qsizetype end = text.indexOf(LineEnd, first);
        if (end < 0) {
            out += text.mid(first);
            return out;
        }
        out += text.mid(first, end + LineEnd.size() - first);
        lineStart = end + LineEnd.size();
    }
}

} // namespace korvane
