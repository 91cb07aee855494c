// libFuzzer target for the leading number of a stored setting and the saver's size rule.
// The first byte picks bounds for the rounding rule; the rest is read as UTF-16 units.
//  - The leading number is never NaN, and 0 when the text (blanks aside) begins with no
//    sign, digit or point; a "-" in front of a text that begins with a digit or point
//    negates it.
//  - The size is always 1..9 and equals the leading number where that is a whole 1..9.
//  - Rounding and clamping stays inside any bounds it is given.
#include "FuzzSupport.h"
#include "tools/saver/LeadingNumber.h"
#include "tools/saver/SaverSettings.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace korvane;
using korvane::fuzz::require;
using korvane::fuzz::unitsFrom;

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t units = (size - 1) / 2;
    const QString text = unitsFrom(data + 1, units);

    const double value = leadingNumber(text);
    require(!std::isnan(value));
    qsizetype first = 0;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    const QChar lead = first < text.size() ? text[first] : QChar();
    if (!(lead == u'+' || lead == u'-' || lead == u'.' || (lead >= u'0' && lead <= u'9')))
        require(value == 0);
    if (lead == u'.' || (lead >= u'0' && lead <= u'9'))
        require(leadingNumber(u'-' + text.mid(first)) == -value);

    const int sizeValue = SaverSettings::sizeFromText(text);
    require(sizeValue >= 1 && sizeValue <= 9);
    if (value >= 1 && value <= 9 && value == std::floor(value))
        require(sizeValue == int(value));

    const int low = int(int8_t(data[0])) * 1000;
    const int high = low + (data[0] & 0x0F) * 37;
    const int clamped = roundClamped(value, low, high);
    require(clamped >= low && clamped <= high);
    return 0;
}
