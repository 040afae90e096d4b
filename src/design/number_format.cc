#include "design/number_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace ballast {
namespace {

// Whether `value` lies exactly halfway between two multiples of 10^-decimals.
// With value = m * 2^e and m odd, 2 * value * 10^decimals = m * 5^decimals *
// 2^(e + 1 + decimals) is an odd integer exactly when e = -(decimals + 1).
bool isHalfway(double value, int decimals) {
    if (value == 0 || !std::isfinite(value)) return false;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent;  // weight of the mantissa's lowest bit
    if (biased == 0) {
        exponent = -1074;
    } else {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    exponent += std::countr_zero(mantissa);
    return exponent == -(decimals + 1);
}

// Adds one unit in the last place to the decimal digits text[begin, end),
// which may hold one point; a carry out of the first digit prepends a '1'.
void incrementDigits(std::string& text, std::size_t begin) {
    for (std::size_t i = text.size(); i-- > begin;) {
        if (text[i] == '.') continue;
        if (text[i] != '9') {
            ++text[i];
            return;
        }
        text[i] = '0';
    }
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(begin), '1');
}

// The digits of `value` at `decimals` places, exactly rounded, ties to even.
void appendToChars(std::string& out, double value, int decimals) {
    char small[128];
    auto result = std::to_chars(small, small + sizeof small, value, std::chars_format::fixed, decimals);
    if (result.ec == std::errc{}) {
        out.append(small, result.ptr);
        return;
    }
    // Up to 309 integer digits, a sign, a point and the decimals.
    std::string large(static_cast<std::size_t>(decimals) + 320, '\0');
    result = std::to_chars(large.data(), large.data() + large.size(), value, std::chars_format::fixed, decimals);
    out.append(large.data(), result.ptr);
}

void appendPadded(std::string& out, std::string_view text, int width) {
    if (width > 0 && static_cast<std::size_t>(width) > text.size()) {
        out.append(static_cast<std::size_t>(width) - text.size(), ' ');
    }
    out.append(text);
}

}  // namespace

void appendFixed(std::string& out, double value, int width, int decimals) {
    if (decimals < 0) decimals = 0;
    if (std::isnan(value)) {
        appendPadded(out, std::signbit(value) ? "-nan" : "nan", width);
        return;
    }
    if (std::isinf(value)) {
        appendPadded(out, value < 0 ? "-inf" : "inf", width);
        return;
    }
    const std::size_t start = out.size();
    if (!isHalfway(value, decimals)) {
        appendToChars(out, value, decimals);
    } else {
        // One more decimal shows the tie exactly, ending in 5: drop it (and a
        // point left bare) and round the magnitude up.
        appendToChars(out, value, decimals + 1);
        out.pop_back();
        if (out.back() == '.') out.pop_back();
        incrementDigits(out, start + (value < 0 ? 1 : 0));
    }
    const std::size_t length = out.size() - start;
    if (width > 0 && static_cast<std::size_t>(width) > length) {
        out.insert(start, static_cast<std::size_t>(width) - length, ' ');
    }
}

std::string formatFixed(double value, int width, int decimals) {
    std::string text;
    appendFixed(text, value, width, decimals);
    return text;
}

}  // namespace ballast
