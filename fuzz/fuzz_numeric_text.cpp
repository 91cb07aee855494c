// libFuzzer target for the number of a font size text. The input is read as UTF-16
// units, lone surrogates included.
//  - The value is always finite, and 0 when the text (blanks aside) begins with no
//    sign, digit or point.
//  - A blank put anywhere changes nothing.
//  - A "-" put in front of a text that begins with a digit or point negates the value.
#include "FuzzSupport.h"
#include "editor/dialogs/NumericText.h"

#include <QString>
#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace korvane;
using korvane::fuzz::require;
using korvane::fuzz::unitsFrom;

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t units = (size - 1) / 2;
    const QString text = unitsFrom(data + 1, units);

    const double value = numericTextValue(text);
    require(std::isfinite(value));

    qsizetype first = 0;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    const QChar lead = first < text.size() ? text[first] : QChar();
    const bool mayBeNumber = lead == u'+' || lead == u'-' || lead == u'.' || (lead >= u'0' && lead <= u'9');
    if (!mayBeNumber)
        require(value == 0);

    static const char16_t blanks[] = {u' ', u'\t', u'\n'};
    QString spaced = text;
    spaced.insert(qsizetype(data[0]) % (text.size() + 1), QChar(blanks[data[0] % 3]));
    require(numericTextValue(spaced) == value);

    if (lead == u'.' || (lead >= u'0' && lead <= u'9'))
        require(numericTextValue(u'-' + text) == -value);
    return 0;
}
