#pragma once

#include <QStringView>

namespace korvane {

// The number a text begins with, blanks ignored wherever they stand (" 1 2" gives 12):
// an optional sign, digits, an optional fraction and exponent. 0 when the text begins
// with no number or the number does not fit a double.
double numericTextValue(QStringView text);

} // namespace korvane
