#include "editor/TextSearch.h"

namespace korvane::TextSearch {

qsizetype find(const QString &haystack, const QString &needle, qsizetype from, bool matchCase)
{
    if (from < 0 || from >= haystack.size())
        return -1;
    if (needle.isEmpty())
        return from;
    return haystack.indexOf(needle, from, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

} // namespace korvane::TextSearch
