#include "editor/commands/TextSearch.h"

#include <QStringView>
#include <algorithm>
#include <array>
#include <bit>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace korvane::TextSearch {

namespace {

// Below this, Qt's own search is quick enough.
constexpr qsizetype FilteredSearchFrom = 1 << 16;

char32_t folded(char16_t unit) { return QChar::toCaseFolded(char32_t(unit)); }

// The units that may stand for one unit of the needle: itself with match case, every unit
// that folds as it does without. A surrogate folds to a surrogate, with its neighbour or
// alone, so it never stands for anything else.
std::vector<char16_t> variants(char16_t unit, bool exact)
{
    if (exact)
        return {unit};
    std::vector<char16_t> all;
    const char32_t wanted = folded(unit);
    for (char32_t u = 0; u < 0x10000; ++u) {
        if (!QChar::isSurrogate(u) && folded(char16_t(u)) == wanted)
            all.push_back(char16_t(u));
    }
    return all;
}

#ifdef __SSE2__
constexpr size_t MaxVectorVariants = 4;

// Each variant in all eight lanes.
struct VectorVariants {
    __m128i lanes[MaxVectorVariants];
    size_t count;
};

// Sixteen bytes that mark (all ones) each of eight units that is one of the variants.
__m128i matchAny(__m128i units, const VectorVariants &variants)
{
    __m128i any = _mm_cmpeq_epi16(units, variants.lanes[0]);
    for (size_t k = 1; k < variants.count; ++k)
        any = _mm_or_si128(any, _mm_cmpeq_epi16(units, variants.lanes[k]));
    return any;
}

VectorVariants broadcast(const std::vector<char16_t> &units)
{
    VectorVariants out{};
    out.count = units.size();
    for (size_t k = 0; k < units.size(); ++k)
        out.lanes[k] = _mm_set1_epi16(short(units[k]));
    return out;
}
#endif

// The search of a long text, finding exactly what QString::indexOf finds, only sooner:
// a match's first two units must be among their variants, which is checked for eight
// places at once where the processor allows, or by a table of every unit; only there is
// the needle compared as Qt compares it.
qsizetype findFiltered(QStringView haystack, QStringView needle, qsizetype from, Qt::CaseSensitivity cs)
{
    const qsizetype n = needle.size();
    const char16_t first = needle[0].unicode();
    if (QChar::isSurrogate(first))
        return haystack.indexOf(needle, from, cs);
    const bool exact = cs == Qt::CaseSensitive;
    const bool checkSecond = n > 1 && !QChar::isSurrogate(needle[1].unicode());
    const std::vector<char16_t> firsts = variants(first, exact);
    const std::vector<char16_t> seconds = checkSecond ? variants(needle[1].unicode(), exact) : firsts;
    const char16_t *h = haystack.utf16();
    const qsizetype size = haystack.size();
    const qsizetype last = size - n;
    auto matchesAt = [&](qsizetype i) { return haystack.sliced(i, n).compare(needle, cs) == 0; };
    qsizetype i = from;
#ifdef __SSE2__
    if (firsts.size() <= MaxVectorVariants && seconds.size() <= MaxVectorVariants) {
        const auto v1 = broadcast(firsts);
        const auto v2 = broadcast(seconds);
        const __m128i ones = _mm_set1_epi16(-1);
        for (; i + 9 <= size; i += 8) {
            const __m128i at = matchAny(_mm_loadu_si128(reinterpret_cast<const __m128i *>(h + i)), v1);
            const __m128i next = checkSecond
                                     ? matchAny(_mm_loadu_si128(reinterpret_cast<const __m128i *>(h + i + 1)), v2)
                                     : ones;
            unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(at, next)));
            while (mask != 0) {
                const int bit = std::countr_zero(mask);
                const qsizetype j = i + bit / 2;
                if (j > last)
                    return -1;
                if (matchesAt(j))
                    return j;
                mask &= ~(3u << bit);
            }
        }
    }
#endif
    std::vector<quint8> table(0x10000, 0); // bit 1: a first unit, bit 2: a second
    for (char16_t u : firsts)
        table[u] |= 1;
    for (char16_t u : seconds)
        table[u] |= 2;
    for (; i <= last; ++i) {
        if ((table[h[i]] & 1) != 0 && (!checkSecond || (table[h[i + 1]] & 2) != 0) && matchesAt(i))
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
    // Qt's own search for one unit with match case uses vector instructions already.
    const bool qtIsQuick = matchCase && needle.size() == 1;
    if (!qtIsQuick && haystack.size() - from >= FilteredSearchFrom)
        return findFiltered(haystack, needle, from, cs);
    return haystack.indexOf(needle, from, cs);
}

} // namespace korvane::TextSearch
