#pragma once

#include <QString>

namespace korvane {

// The number a text begins with, as a stored setting is read: leading blanks are skipped,
// then an optional sign, digits, an optional fraction and exponent. 0 when the text does
// not begin with a number ("abc", "", "-").
double leadingNumber(const QString &text);

// Rounds half to even and clamps into [low, high]; safe for any double.
int roundClamped(double value, int low, int high);

} // namespace korvane
