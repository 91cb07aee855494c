#include "editor/dialogs/NumericText.h"

#include <QString>

namespace korvane {

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }
} // namespace

double numericTextValue(QStringView text)
{
    // Blanks are ignored wherever they stand, as in " 1 2" giving 12.
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (!isBlank(c))
            compact.append(c);
    }
    qsizetype end = 0;
    const auto digitsFrom = [&](qsizetype from) {
        qsizetype i = from;
        while (i < compact.size() && compact[i].isDigit() && compact[i].unicode() < 0x80)
            ++i;
        return i;
    };
    if (end < compact.size() && (compact[end] == u'+' || compact[end] == u'-'))
        ++end;
    const qsizetype intStart = end;
    end = digitsFrom(end);
    bool anyDigit = end > intStart;
    if (end < compact.size() && compact[end] == u'.') {
        const qsizetype fracEnd = digitsFrom(end + 1);
        anyDigit = anyDigit || fracEnd > end + 1;
        end = fracEnd;
    }
    if (!anyDigit)
        return 0;
    if (end < compact.size() && (compact[end] == u'E' || compact[end] == u'e')) {
        qsizetype e = end + 1;
        if (e < compact.size() && (compact[e] == u'+' || compact[e] == u'-'))
            ++e;
        const qsizetype expEnd = digitsFrom(e);
        if (expEnd > e)
            end = expEnd;
    }
    bool ok = false;
    const double value = compact.left(end).toDouble(&ok);
    return ok ? value : 0;
}

} // namespace korvane
