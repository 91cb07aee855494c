#include "tools/saver/LeadingNumber.h"

#include "platform/Twips.h"

#include <cmath>

namespace korvane {

double leadingNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto isDigit = [&](qsizetype k) { return k < n && text[k] >= QLatin1Char('0') && text[k] <= QLatin1Char('9'); };
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t') || text[i] == QLatin1Char('\n') ||
                     text[i] == QLatin1Char('\r')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    bool digits = false;
    while (isDigit(i)) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (isDigit(i)) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    qsizetype end = i;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype k = i + 1;
        if (k < n && (text[k] == QLatin1Char('+') || text[k] == QLatin1Char('-')))
            ++k;
        if (isDigit(k)) {
            while (isDigit(k))
                ++k;
            end = k;
        }
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    if (!ok) // only an exponent too large for a double gets here
        return text[start] == QLatin1Char('-') ? -HUGE_VAL : HUGE_VAL;
    return value;
}

int roundClamped(double value, int low, int high)
{
    // Clamping to whole bounds first gives the same result as rounding first, without overflow.
    if (std::isnan(value) || value <= low)
        return low;
    if (value >= high)
        return high;
    return static_cast<int>(roundHalfEven(value));
}

} // namespace korvane
