#include "tools/calculator/NumberText.h"

#include <QLocale>
#include <QRegularExpression>
#include <cfloat>
#include <cmath>
#include <cstdio>

namespace korvane {

namespace {

// Exponent form takes over outside [1E-04, 1E+15): fifteen digits cannot show a whole
// number of sixteen digits, and small fractions would be mostly zeros.
constexpr int SmallestFixedExponent = -4;
constexpr int LargestFixedExponent = NumberText::SignificantDigits - 1;

QString trimTrailingZeros(QString digits)
{
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    return digits;
}

// The decimal digits of a positive value, rounded to precision + 1 significant digits,
// and its decimal exponent after that rounding.
QString significantDigits(double value, int precision, int &exponent)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", precision, value);
    const QString scientific = QString::fromLatin1(buffer); // d.ddd…e±xx
    const qsizetype ePos = scientific.indexOf(QLatin1Char('e'));
    exponent = scientific.mid(ePos + 1).toInt();
    return scientific.left(1) + scientific.mid(2, ePos - 2);
}

} // namespace

QString NumberText::format(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    if (value == 0)
        return QStringLiteral("0"); // also for -0

    // Round to 15 significant digits first; the rounding may carry into a new decade
    // (999999999999999.5 becomes 1E+15), so the exponent is read after it.
    int exponent = 0;
    QString digits = significantDigits(std::fabs(value), SignificantDigits - 1, exponent);
    if (exponent == DBL_MAX_10_EXP &&
        parse(QStringLiteral("%1.%2E+%3").arg(digits.left(1), digits.mid(1)).arg(exponent)).reading ==
            Reading::TooLarge) {
        // Rounded up, the largest doubles would read back as beyond the range; cut
        // them off instead, so that every shown result can be used again.
        int exactExponent = 0;
        digits = significantDigits(std::fabs(value), 16, exactExponent).left(SignificantDigits);
        exponent = exactExponent;
    }
    digits = trimTrailingZeros(digits);

    QString text = value < 0 ? QStringLiteral("-") : QString();
    if (exponent < SmallestFixedExponent || exponent > LargestFixedExponent) {
        text += digits.left(1);
        if (digits.size() > 1)
            text += QLatin1Char('.') + digits.mid(1);
        text += QLatin1String(exponent < 0 ? "E-" : "E+");
        text += QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    } else if (exponent < 0) {
        text += QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else if (digits.size() <= exponent + 1) {
        text += digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    } else {
        text += digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
    }
    return text;
}

NumberText::Parsed NumberText::parse(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        return {};
    // The C locale: the point is always ".", whatever the user's own settings say.
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (std::isinf(value))
        return {Reading::TooLarge, 0};
    if (!ok)
        return {Reading::Number, 0}; // only an underflow gets here: too small to tell from 0
    return {Reading::Number, value};
}

} // namespace korvane
