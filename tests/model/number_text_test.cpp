#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(NumberText, WritesGeneralFormatWithFifteenDigits)
{
    EXPECT_EQ(FormatNumber(0, '.'), "0");
    EXPECT_EQ(FormatNumber(1, '.'), "1");
    EXPECT_EQ(FormatNumber(0.6, '.'), "0.6");
    EXPECT_EQ(FormatNumber(-0.28, '.'), "-0.28");
    EXPECT_EQ(FormatNumber(0.6, ','), "0,6");
    EXPECT_EQ(FormatNumber(1e-5, '.'), "1E-5");
    EXPECT_EQ(FormatNumber(0.0001, '.'), "0.0001");
    EXPECT_EQ(FormatNumber(1.5e20, '.'), "1.5E20");
    EXPECT_EQ(FormatNumber(-1.5e20, ','), "-1,5E20");
    EXPECT_EQ(FormatNumber(123456789012345.0, '.'), "123456789012345");
    EXPECT_EQ(FormatNumber(1e15, '.'), "1E15");
    EXPECT_EQ(FormatNumber(1.0 / 3, '.'), "0.333333333333333");
    EXPECT_EQ(FormatNumber(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(FormatNumber(100, '.'), "100");
    // Rounding to 15 digits can carry into a new leading digit.
    EXPECT_EQ(FormatNumber(0.99999999999999989, '.'), "1");
    EXPECT_EQ(FormatNumber(-2.5e-7, '.'), "-2.5E-7");
}

TEST(NumberText, ReadsOnlyTheRegionalSeparator)
{
    EXPECT_EQ(ParseNumber(" 0,5 ", ','), 0.5);
    EXPECT_EQ(ParseNumber("1e3", ','), 1000);
    EXPECT_EQ(ParseNumber("-2,5E-1", ','), -0.25);
    EXPECT_EQ(ParseNumber("+7", '.'), 7);
    EXPECT_EQ(ParseNumber("0.5", ','), std::nullopt);
    EXPECT_EQ(ParseNumber("0,5", '.'), std::nullopt);
    for (const char* bad : {"", " ", "1,2,3", "1 2", "\t1", "1e", "e3", "abc", "1.000,5", "--1", ","})
        EXPECT_EQ(ParseNumber(bad, ','), std::nullopt) << bad;
}

TEST(NumberText, RoundTripsToFifteenDigits)
{
    for (double v : {0.6, -0.8, 0.96, 1e-5, 1.5e20, 3.14159265358979, -123.456})
        for (char separator : {'.', ','})
            EXPECT_EQ(ParseNumber(FormatNumber(v, separator), separator), v) << v;
}

TEST(NumberText, FilesTakeEitherSeparatorButNeverBoth)
{
    EXPECT_EQ(ParseFileNumber("0.5"), 0.5);
    EXPECT_EQ(ParseFileNumber(" -0,25 "), -0.25);
    EXPECT_EQ(ParseFileNumber("1,5E-3"), 0.0015);
    EXPECT_EQ(ParseFileNumber("7"), 7);
    EXPECT_EQ(ParseFileNumber("1,000"), 1.0) << "a comma is a decimal separator, never a thousands one";
    for (const char* bad : {"1.000,5", "1,000.5", "1,2,3", "1.2.3", "0.5,", ",", ".", "1 000", "INF", "NAN", ""})
        EXPECT_EQ(ParseFileNumber(bad), std::nullopt) << bad;
    EXPECT_EQ(ParseFileBoolean("0,0"), false);
    EXPECT_EQ(ParseFileBoolean("0.5"), true);
    EXPECT_EQ(ParseFileBoolean("True"), true);
    EXPECT_EQ(ParseFileBoolean("0.0,0"), std::nullopt);
}

TEST(NumberText, EveryFiniteNumberWrittenReadsBack)
{
    constexpr double kMax = std::numeric_limits<double>::max();
    EXPECT_EQ(FormatNumber(kMax, ','), "1,79769313486231E308") << "cut, since rounding up would overflow";
    EXPECT_EQ(FormatNumber(-kMax, '.'), "-1.79769313486231E308");
    EXPECT_EQ(FormatNumber(1.7976931348623e308, '.'), "1.7976931348623E308") << "rounded as ever below";
    const double extremes[] = {kMax, -kMax, std::nextafter(kMax, 0.0), 1.797693134862315e308,
                               std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
                               -std::numeric_limits<double>::denorm_min(), 9.99999999999999999e307};
    for (double v : extremes)
        for (char separator : {'.', ','}) {
            const auto back = ParseNumber(FormatNumber(v, separator), separator);
            ASSERT_TRUE(back.has_value()) << FormatNumber(v, separator);
            EXPECT_LE(std::fabs(*back - v), std::fabs(v) * 1e-14) << FormatNumber(v, separator);
        }
}

TEST(NumberText, IntegersInDecimalAndHexadecimal)
{
    EXPECT_EQ(ParseInteger("3"), 3);
    EXPECT_EQ(ParseInteger("  -12"), -12);
    EXPECT_EQ(ParseInteger("$1F"), 31);
    EXPECT_EQ(ParseInteger("x10"), 16);
    EXPECT_EQ(ParseInteger("X10"), 16);
    EXPECT_EQ(ParseInteger("0x8"), 8);
    EXPECT_EQ(ParseInteger("-$10"), -16);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "3 ", "2147483648", "1.0", "$", "0x", "abc", "3a", "+-1"})
        EXPECT_EQ(ParseInteger(bad), std::nullopt) << bad;
    EXPECT_EQ(ParseDecimalInteger(" 42 "), 42);
    EXPECT_EQ(ParseDecimalInteger("+120"), 120);
    for (const char* bad : {"$10", "12a", "x", "", "1.5", "1,5", "+", "99999999999"})
        EXPECT_EQ(ParseDecimalInteger(bad), std::nullopt) << bad;
}

TEST(NumberText, BooleansAsWordsOrNumbers)
{
    EXPECT_EQ(ParseBoolean("True", '.'), true);
    EXPECT_EQ(ParseBoolean("tRUE", '.'), true);
    EXPECT_EQ(ParseBoolean("FALSE", '.'), false);
    EXPECT_EQ(ParseBoolean("-1", '.'), true);
    EXPECT_EQ(ParseBoolean("1", '.'), true);
    EXPECT_EQ(ParseBoolean("0", '.'), false);
    EXPECT_EQ(ParseBoolean("0,0", ','), false);
    EXPECT_EQ(ParseBoolean("yes", '.'), std::nullopt);
    EXPECT_EQ(ParseBoolean("", '.'), std::nullopt);
}

} // namespace
