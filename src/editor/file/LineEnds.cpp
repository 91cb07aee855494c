#include "editor/file/LineEnds.h"

#include <algorithm>

namespace korvane {

QString LineEnds::opened(QString text)
{
    if (const qsizetype loneCrs = openLoneCrs(text, 0)) {
        text.reserve(text.size() + loneCrs + 2);
        openAddLineFeeds(text, loneCrs);
    }
    openEndLastLine(text);
    return text;
}

qsizetype LineEnds::openLoneCrs(QStringView text, qsizetype from)
{
    qsizetype count = 0;
    for (qsizetype i = text.indexOf(u'\r', std::max<qsizetype>(from - 1, 0)); i >= 0 && i + 1 < text.size();
         i = text.indexOf(u'\r', i + 1))
        count += text[i + 1] != u'\n' ? 1 : 0;
    return count;
}

void LineEnds::openAddLineFeeds(QString &text, qsizetype loneCrs)
{
    if (loneCrs == 0)
        return;
    // Working from the back moves each character once, and what comes before the first
    // lone CR not at all.
    qsizetype from = text.size() - 1;
    text.resize(text.size() + loneCrs);
    char16_t *const d = reinterpret_cast<char16_t *>(text.data());
    qsizetype to = from + loneCrs;
    char16_t next = u'\n'; // a CR at the very end is not judged yet
    for (; to > from; --from) {
        const char16_t c = d[from];
        if (c == u'\r' && next != u'\n')
            d[to--] = u'\n';
        d[to--] = c;
        next = c;
    }
}

void LineEnds::openEndLastLine(QString &text)
{
    if (text.isEmpty() || text.endsWith(u"\r\n"))
        return;
    if (!text.endsWith(u'\r'))
        text.append(u'\r');
    text.append(u'\n');
}

QString LineEnds::pasted(const QString &clipboardText)
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
