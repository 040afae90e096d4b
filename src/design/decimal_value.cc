#include "design/decimal_value.h"

#include <charconv>
#include <limits>
#include <string>

namespace ballast {
namespace {

// Up to 2^53 and a power of ten up to 10^22 are both exact doubles, so one
// multiplication or division rounds correctly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool isExact(std::uint64_t digits, std::int64_t exponent) {
    return digits <= (std::uint64_t{1} << 53) && exponent >= -22 && exponent <= 22;
}

double exactQuotient(std::uint64_t digits, std::int64_t exponent) {
    const double whole = static_cast<double>(digits);
    return exponent < 0 ? whole / kExactPowers[-exponent] : whole * kExactPowers[exponent];
}

// The library's conversion of the text "DIGITSeEXPONENT".
double libraryNearest(std::string_view digits, std::int64_t exponent) {
    if (digits.empty()) return 0.0;
    // The decimal exponent of the leading digit, to settle what is plainly
    // out of range before conversion.
    const std::int64_t leading = exponent + static_cast<std::int64_t>(digits.size()) - 1;
    if (leading > 400) return std::numeric_limits<double>::infinity();
    if (leading < -400) return 0.0;
    std::string text(digits);
    text += 'e';
    char exponentText[24];
    text.append(exponentText, std::to_chars(exponentText, exponentText + sizeof exponentText, exponent).ptr);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = leading > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return value;
}

}  // namespace

double nearestDouble(std::string_view digits, std::int64_t exponent) {
    if (digits.size() <= 15) {
        std::uint64_t whole = 0;
        for (char d : digits) whole = whole * 10 + static_cast<std::uint64_t>(d - '0');
        if (isExact(whole, exponent)) return exactQuotient(whole, exponent);
    }
    return libraryNearest(digits, exponent);
}

double nearestDouble(std::uint64_t digits, std::int64_t exponent) {
    if (isExact(digits, exponent)) return exactQuotient(digits, exponent);
    if (digits == 0) return 0.0;
    char text[24];
    const char* end = std::to_chars(text, text + sizeof text, digits).ptr;
    return libraryNearest(std::string_view(text, static_cast<std::size_t>(end - text)), exponent);
}

}  // namespace ballast
