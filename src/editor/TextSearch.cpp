#include "editor/TextSearch.h"

#include <QStringView>
#include <array>
#include <memory>

namespace korvane::TextSearch {

namespace {

// Below this, Qt's own search is quick enough.
constexpr qsizetype FilteredSearchFrom = 1 << 16;

// Qt's own search of a long text is quick for one unit with match case (vector
// instructions) and for more than this many (Boyer-Moore); in between it hashes every unit.
constexpr qsizetype QtHashedNeedle = 5;

char32_t folded(char16_t unit) { return QChar::toCaseFolded(char32_t(unit)); }

// The search of a long text, finding exactly what QString::indexOf finds, only sooner:
// a match's first two units must be (or fold as) the needle's, which a table of every unit
// answers at once; only there is the needle compared as Qt compares it. A surrogate folds
// to a surrogate, with its neighbour or alone, so it can stand only where the needle has
// one.
qsizetype findFiltered(QStringView haystack, QStringView needle, qsizetype from, Qt::CaseSensitivity cs)
{
    const qsizetype n = needle.size();
    const char16_t first = needle[0].unicode();
    if (QChar::isSurrogate(first))
        return haystack.indexOf(needle, from, cs);
    const bool exact = cs == Qt::CaseSensitive;
    // Bit 1: may be the needle's first unit; bit 2: may be its second.
    const bool checkSecond = n > 1 && !QChar::isSurrogate(needle[1].unicode());
    const char32_t firstFolded = exact ? first : folded(first);
    const char32_t secondFolded = !checkSecond ? 0 : exact ? needle[1].unicode() : folded(needle[1].unicode());
    auto table = std::make_unique<std::array<quint8, 0x10000>>();
    for (char32_t u = 0; u < 0x10000; ++u) {
        const auto unit = char16_t(u);
        const char32_t f = QChar::isSurrogate(unit) ? 0 : exact ? unit : folded(unit);
        (*table)[u] = quint8((f == firstFolded ? 1 : 0) | (checkSecond && f == secondFolded ? 2 : 0));
    }
    const quint8 *t = table->data();
    const char16_t *h = haystack.utf16();
    const qsizetype last = haystack.size() - n;
    for (qsizetype i = from; i <= last; ++i) {
        if ((t[h[i]] & 1) == 0 || (checkSecond && (t[h[i + 1]] & 2) == 0))
            continue;
        if (haystack.sliced(i, n).compare(needle, cs) == 0)
            return i;
    }
    return -1;
}

} // namespace

qsizetype find(const QString &haystack, const QString &needle, qsizetype from, bool matchCase)
{
    if (from < 0 || from >= haystack.size())
        return -1;
    if (needle.isEmpty())
        return from;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool qtIsQuick = matchCase && (needle.size() == 1 || needle.size() > QtHashedNeedle);
    if (!qtIsQuick && haystack.size() - from >= FilteredSearchFrom)
        return findFiltered(haystack, needle, from, cs);
    return haystack.indexOf(needle, from, cs);
}

} // namespace korvane::TextSearch
