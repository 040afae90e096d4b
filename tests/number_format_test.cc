#include "design/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace ballast {
namespace {

struct FixedCase {
    double value;
    int width;
    int decimals;
    const char* expected;
};

TEST(FormatFixed, HalfwayValuesRoundAwayFromZero) {
    const FixedCase cases[] = {
        {2.5, 0, 0, "3"},          {0.5, 0, 0, "1"},          {-0.5, 0, 0, "-1"},
        {-2.5, 0, 0, "-3"},        {1.5, 0, 0, "2"},          {1.25, 0, 1, "1.3"},
        {0.25, 0, 1, "0.3"},       {-0.25, 0, 1, "-0.3"},     {0.125, 0, 2, "0.13"},
        {0.375, 0, 2, "0.38"},     {0.0625, 0, 3, "0.063"},   {0.03125, 0, 4, "0.0313"},
        {0.015625, 0, 5, "0.01563"}, {0.0078125, 0, 6, "0.007813"},
        // The carry runs through every digit and lengthens the number.
        {999.5, 0, 0, "1000"},     {-999.5, 6, 0, " -1000"},  {9.95, 0, 1, "9.9"},
        {99.875, 0, 2, "99.88"},   {0.995, 0, 2, "0.99"},
        // The largest tie at no decimals: 2^52 - 0.5.
        {4503599627370495.5, 0, 0, "4503599627370496"},
    };
    for (const FixedCase& c : cases) {
        EXPECT_EQ(c.expected, formatFixed(c.value, c.width, c.decimals))
            << c.value << " width " << c.width << " decimals " << c.decimals;
    }
}

TEST(FormatFixed, ValuesBesideAHalfRoundToNearest) {
    // 0.15, 2.675 and 1.005 lie just below the half as doubles; the neighbours
    // of an exact tie are not ties.
    const FixedCase cases[] = {
        {0.15, 0, 1, "0.1"},
        {2.675, 0, 2, "2.67"},
        {1.005, 0, 2, "1.00"},
        {0.35, 0, 1, "0.3"},
        {std::nextafter(2.5, 0.0), 0, 0, "2"},
        {std::nextafter(2.5, 3.0), 0, 0, "3"},
        {std::nextafter(0.125, 0.0), 0, 2, "0.12"},
        {std::nextafter(-0.125, 0.0), 0, 2, "-0.12"},
        {2.4999999999999996, 0, 0, "2"},
    };
    for (const FixedCase& c : cases) {
        EXPECT_EQ(c.expected, formatFixed(c.value, c.width, c.decimals)) << c.value;
    }
}

TEST(FormatFixed, WidthSignsAndZero) {
    const FixedCase cases[] = {
        {265.258238494074, 5, 1, "265.3"},
        {674.1488692, 5, 0, "  674"},
        {0.178, 5, 1, "  0.2"},
        {120, 4, 0, " 120"},
        {12000, 4, 0, "12000"},        // wider than the field: widened, not cut
        {123456.789, 5, 0, "123457"},
        {7, 0, 0, "7"},
        {7, -3, 0, "7"},
        {0.0, 5, 1, "  0.0"},
        {-0.0, 0, 1, "-0.0"},
        {-0.4, 0, 0, "-0"},
        {-0.04, 5, 1, " -0.0"},
        {3.0, 8, 6, "3.000000"},
        {1e-300, 0, 2, "0.00"},
        {std::numeric_limits<double>::denorm_min(), 0, 6, "0.000000"},
    };
    for (const FixedCase& c : cases) {
        EXPECT_EQ(c.expected, formatFixed(c.value, c.width, c.decimals)) << c.value;
    }
}

TEST(FormatFixed, InfinitiesAndNaNsAreSpelledAsPrintfSpellsThem) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const FixedCase cases[] = {
        {inf, 5, 1, "  inf"}, {-inf, 5, 0, " -inf"}, {nan, 5, 0, "  nan"},
        {-nan, 5, 1, " -nan"}, {inf, 0, 0, "inf"},   {-nan, 2, 3, "-nan"},
    };
    for (const FixedCase& c : cases) {
        EXPECT_EQ(c.expected, formatFixed(c.value, c.width, c.decimals));
    }
}

TEST(FormatFixed, HugeMagnitudesArePrintedInFull) {
    // None of these is a tie, so the C library's exact conversion is a
    // reference for every digit.
    for (double value : {1e22, 1e23, -1.7976931348623157e308, 4.2e200, 2.0 / 3.0 * 1e30}) {
        for (int decimals : {0, 1, 2, 6}) {
            char expected[400];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
            EXPECT_EQ(expected, formatFixed(value, 5, decimals)) << value;
        }
    }
}

}  // namespace
}  // namespace ballast
