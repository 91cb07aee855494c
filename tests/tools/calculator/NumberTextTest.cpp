#include "tools/calculator/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

using namespace korvane;

TEST(NumberTextTest, WholeNumbersHaveNoPoint)
{
    EXPECT_EQ(NumberText::format(0), QStringLiteral("0"));
    EXPECT_EQ(NumberText::format(-0.0), QStringLiteral("0"));
    EXPECT_EQ(NumberText::format(15), QStringLiteral("15"));
    EXPECT_EQ(NumberText::format(-12), QStringLiteral("-12"));
    EXPECT_EQ(NumberText::format(100000), QStringLiteral("100000"));
    EXPECT_EQ(NumberText::format(123456789012345.0), QStringLiteral("123456789012345"));
}

TEST(NumberTextTest, FractionsHaveFifteenSignificantDigitsAndALeadingZero)
{
    EXPECT_EQ(NumberText::format(3.5), QStringLiteral("3.5"));
    EXPECT_EQ(NumberText::format(0.5), QStringLiteral("0.5"));
    EXPECT_EQ(NumberText::format(-0.25), QStringLiteral("-0.25"));
    EXPECT_EQ(NumberText::format(1.0 / 3), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(NumberText::format(2.0 / 3), QStringLiteral("0.666666666666667"));
    EXPECT_EQ(NumberText::format(0.1 + 0.2), QStringLiteral("0.3")); // 0.30000000000000004 rounds away
    EXPECT_EQ(NumberText::format(0.0001), QStringLiteral("0.0001"));
    EXPECT_EQ(NumberText::format(1234.5678), QStringLiteral("1234.5678"));
}

TEST(NumberTextTest, VeryLargeAndVerySmallMagnitudesUseExponentForm)
{
    EXPECT_EQ(NumberText::format(1e20), QStringLiteral("1E+20"));
    EXPECT_EQ(NumberText::format(1e15), QStringLiteral("1E+15"));
    EXPECT_EQ(NumberText::format(1234567890123456.0), QStringLiteral("1.23456789012346E+15"));
    EXPECT_EQ(NumberText::format(1.5e-7), QStringLiteral("1.5E-07"));
    EXPECT_EQ(NumberText::format(0.00001), QStringLiteral("1E-05"));
    EXPECT_EQ(NumberText::format(-2.5e100), QStringLiteral("-2.5E+100"));
    EXPECT_EQ(NumberText::format(DBL_MAX),
              QStringLiteral("1.79769313486231E+308")); // cut off, not rounded past the range
    // Rounding to fifteen digits can carry into the next power of ten.
    EXPECT_EQ(NumberText::format(999999999999999.9), QStringLiteral("1E+15"));
}

TEST(NumberTextTest, FormattedTextReadsBackToTheShownValue)
{
    for (double v : {1.0 / 3, 3.5, -7.25e-9, 6.02214076e23, 1e-300, 123456789.125, DBL_MAX}) {
        const QString text = NumberText::format(v);
        const auto parsed = NumberText::parse(text);
        ASSERT_EQ(parsed.reading, NumberText::Reading::Number) << text.toStdString();
        EXPECT_EQ(NumberText::format(parsed.value), text);
        EXPECT_NEAR(parsed.value, v, std::fabs(v) * 1e-14) << text.toStdString();
    }
}

TEST(NumberTextTest, ReadsWhatTheKeysBuild)
{
    auto value = [](const char *text) {
        const auto parsed = NumberText::parse(QString::fromLatin1(text));
        EXPECT_EQ(parsed.reading, NumberText::Reading::Number) << text;
        return parsed.value;
    };
    EXPECT_EQ(value("05"), 5);
    EXPECT_EQ(value("12."), 12);
    EXPECT_EQ(value(".5"), 0.5);
    EXPECT_EQ(value("-.5"), -0.5);
    EXPECT_EQ(value("-12"), -12);
    EXPECT_EQ(value("1E+205"), 1e205); // a result in exponent form, extended by a digit
    EXPECT_EQ(value("1.5E-07"), 1.5e-7);
    EXPECT_EQ(value(" 42 "), 42);
    EXPECT_EQ(value("1E-400"), 0); // too small to tell from zero
}

TEST(NumberTextTest, TextsThatAreNoNumber)
{
    for (const char *text :
         {"", ".", "-", "-.", "--1", "1.2.3", "1,5", "abc", "1E", "inf", "nan", "0x10", "12a", "1E+20E+1"})
        EXPECT_EQ(NumberText::parse(QString::fromLatin1(text)).reading, NumberText::Reading::NoNumber) << text;
    EXPECT_EQ(NumberText::parse(QStringLiteral("溢出")).reading, NumberText::Reading::NoNumber);
    EXPECT_EQ(NumberText::parse(QStringLiteral("1E+309")).reading, NumberText::Reading::TooLarge);
    EXPECT_EQ(NumberText::parse(QStringLiteral("-1E+3080")).reading, NumberText::Reading::TooLarge);
}
