// formatFixed against an exact reference over a large spread of doubles, and
// the answer reader against the C library's strtod over the texts printed.
//
// The reference takes the double's exact decimal expansion from the C
// library's printf (at enough decimals to hold every digit, so nothing is
// rounded there) and rounds it half away from zero by hand, digit by digit.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "design/number_format.h"
#include "dialogue/answer_reader.h"

namespace ballast {
namespace {

// The precisions checked: every one the program prints, and the widest the
// formatter takes, where the products of its integer rounding are widest.
constexpr int kDecimals[] = {0, 1, 2, 3, 4, 5, 6, 11, 17, 22};

#ifdef BALLAST_SANITIZED
constexpr int kScale = 5;  // the sanitizers run the same checks on a fifth
#else
constexpr int kScale = 1;
#endif

// Digits after the point in the exact decimal expansion of a finite double.
int exactFractionDigits(double value) {
    if (value == 0) return 0;
    int exponent;
    const double mantissa = std::frexp(std::fabs(value), &exponent);  // value = mantissa * 2^exponent
    // The lowest set bit of the 53-bit mantissa has the weight 2^(exponent - 53 + trailing zeros).
    const auto bits = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
    const int lowest = exponent - 53 + std::countr_zero(bits);
    return lowest < 0 ? -lowest : 0;
}

// The exact decimal expansion of |value|, with a point and at least 23
// digits after it.
std::string exactExpansion(double value) {
    const int digits = std::max(exactFractionDigits(value), 23);
    std::vector<char> buffer(static_cast<std::size_t>(digits) + 400);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", digits, std::fabs(value));
    return buffer.data();
}

// The reference text of `value`, whose exact expansion is `exact`.
std::string referenceFixed(double value, const std::string& exact, int width, int decimals) {
    if (!std::isfinite(value)) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
        return buffer;
    }
    const std::size_t point = exact.find('.');
    std::string kept = exact.substr(0, point + 1 + static_cast<std::size_t>(decimals));
    if (exact[point + 1 + static_cast<std::size_t>(decimals)] >= '5') {
        // Half or more of the last kept digit's unit: up, away from zero.
        std::size_t i = kept.size();
        for (;;) {
            if (i == 0) {
                kept.insert(kept.begin(), '1');
                break;
            }
            --i;
            if (kept[i] == '.') continue;
            if (kept[i] != '9') {
                ++kept[i];
                break;
            }
            kept[i] = '0';
        }
    }
    if (decimals == 0) kept.pop_back();  // the point
    if (std::signbit(value)) kept.insert(kept.begin(), '-');
    if (static_cast<int>(kept.size()) < width) kept.insert(0, static_cast<std::size_t>(width) - kept.size(), ' ');
    return kept;
}

std::vector<double> sampleValues() {
    std::mt19937_64 random(20261211);
    std::vector<double> values;
    auto withNeighbours = [&values](double v) {
        values.push_back(v);
        values.push_back(std::nextafter(v, HUGE_VAL));
        values.push_back(std::nextafter(v, -HUGE_VAL));
    };
    // Random bit patterns at the magnitudes a design meets, 1e-14 to 1e18.
    for (int i = 0; i < 400000 / kScale; ++i) {
        const std::uint64_t biased = 1023 - 45 + random() % 106;
        values.push_back(std::bit_cast<double>((random() & 0x800fffffffffffffULL) | (biased << 52)));
    }
    // Any bit pattern at all: subnormals, the extremes, infinities, NaNs.
    for (int i = 0; i < 100000 / kScale; ++i) values.push_back(std::bit_cast<double>(random()));
    // Exact ties at each precision, (2j + 1) / 2^(decimals + 1), and their neighbours.
    for (int decimals : kDecimals) {
        for (int i = 0; i < 25000 / kScale; ++i) {
            const std::uint64_t j = random() >> (11 + random() % 50);
            const double tie = std::ldexp(static_cast<double>(2 * j + 1), -(decimals + 1));
            withNeighbours(random() % 2 ? tie : -tie);
        }
    }
    // The doubles nearest to decimal halfway points, k.5 units of the last
    // place, and their neighbours.
    for (int decimals : kDecimals) {
        for (int i = 0; i < 20000 / kScale; ++i) {
            const std::string text = std::to_string(random() % 10000000000ULL) + "5e-" + std::to_string(decimals + 1);
            withNeighbours(std::strtod(text.c_str(), nullptr));
        }
    }
    for (double v : {0.0, -0.0, 0.5, 2.5, 0.125, 1e22, 1.7976931348623157e308, 4.9406564584124654e-324}) {
        withNeighbours(v);
    }
    return values;
}

bool sameDouble(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// What the answer reader makes of `text`, which must be one whole number.
bool readerAgreesWithStrtod(const std::string& text) {
    Console console = memoryConsole(text);
    double read = 0;
    std::string word;
    if (readDoubleAnswer(console, read, word) != AnswerRead::Number || console.inPos != console.inEnd) return false;
    return sameDouble(std::strtod(text.c_str(), nullptr), read);
}

TEST(FormatFixedExact, MatchesTheExactExpansionRoundedHalfAwayFromZero) {
    const std::vector<double> values = sampleValues();
    ASSERT_GE(values.size() * static_cast<std::size_t>(kScale), 1000000u);
    int failures = 0;
    for (std::size_t i = 0; i < values.size() && failures < 20; ++i) {
        const std::string exact = std::isfinite(values[i]) ? exactExpansion(values[i]) : "";
        for (int decimals : kDecimals) {
            const int width = static_cast<int>((i + static_cast<std::size_t>(decimals)) % 9);
            const std::string expected = referenceFixed(values[i], exact, width, decimals);
            const std::string actual = formatFixed(values[i], width, decimals);
            if (expected != actual) {
                ADD_FAILURE() << std::hexfloat << values[i] << " width " << width << " decimals " << decimals
                              << ": expected \"" << expected << "\", got \"" << actual << "\"";
                ++failures;
            }
        }
    }
}

TEST(AnswerReaderExact, ReadsEveryPrintedTextAsStrtodDoes) {
    const std::vector<double> values = sampleValues();
    int failures = 0;
    for (std::size_t i = 0; i < values.size() && failures < 20; ++i) {
        char shortest[64];
        const auto end = std::to_chars(shortest, shortest + sizeof shortest, values[i]).ptr;
        const std::string roundTrip(shortest, end);
        if (!readerAgreesWithStrtod(roundTrip)) {
            ADD_FAILURE() << "shortest text \"" << roundTrip << "\"";
            ++failures;
        }
        for (int decimals = 0; decimals <= 6; ++decimals) {
            const std::string printed = formatFixed(values[i], static_cast<int>(i % 9), decimals);
            if (!readerAgreesWithStrtod(printed)) {
                ADD_FAILURE() << "printed text \"" << printed << "\"";
                ++failures;
            }
        }
    }
}

}  // namespace
}  // namespace ballast
