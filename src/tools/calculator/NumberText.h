#pragma once

#include <QString>

namespace korvane {

// The general number text of a double: what the calculator shows for a result and how
// it reads the display back as a number.
class NumberText {
public:
    static constexpr int SignificantDigits = 15;

    // Up to 15 significant digits, "." as decimal point, "0." before fractions, a
    // leading "-" for negatives, no point for whole numbers, and exponent form
    // (1E+20, 1.5E-07) from 1E+15 upward and below 0.0001.
    static QString format(double value);

    enum class Reading { Number, NoNumber, TooLarge };
    struct Parsed {
        Reading reading = Reading::NoNumber;
        double value = 0; // 0 unless reading is Number
    };
    // Accepts what format() writes and what the keys build: "12", "05", "1.", ".5",
    // "-.5", "1E+20", "1.5E-07" (surrounding blanks ignored). Anything else, such as
    // ".", "-" or "-.", is NoNumber; a magnitude beyond the double range is TooLarge.
    static Parsed parse(const QString &text);
};

} // namespace korvane
