#include "design/number_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace ballast {
namespace {

// A finite double as mantissa * 2^exponent, with the mantissa a whole number
// below 2^53 (its sign aside).
struct BinaryParts {
    std::uint64_t mantissa;
    int exponent;
};

BinaryParts binaryParts(double value) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0) return {fraction, -1074};  // subnormal
    return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

// Whether the finite `value` lies exactly halfway between two multiples of
// 10^-decimals. With value = m * 2^e and m odd, 2 * value * 10^decimals =
// m * 5^decimals * 2^(e + 1 + decimals) is an odd integer exactly when
// e = -(decimals + 1).
bool isHalfway(double value, int decimals) {
    if (value == 0) return false;
    const BinaryParts parts = binaryParts(value);
    return parts.exponent + std::countr_zero(parts.mantissa) == -(decimals + 1);
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

// The fast path for at most three decimals and finite magnitudes below 2^52, where
// |value| * 10^decimals = m * 10^decimals / 2^s is worked out exactly in 64-bit
// integers and rounded by hand. Returns false when it does not apply.
bool appendSmallFixed(std::string& out, double value, int decimals) {
    constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000};
    if (decimals > 3) return false;
    const BinaryParts parts = binaryParts(value);
    if (parts.exponent >= 0) return false;  // whole numbers of 2^52 and more
    const int shift = -parts.exponent;      // |value| = mantissa / 2^shift
    const std::uint64_t scaled = parts.mantissa * kPowersOfTen[decimals];  // below 2^63
    std::uint64_t rounded;
    if (shift >= 65) {
        rounded = 0;  // scaled < 2^64 <= 2^(shift-1): below one half
    } else if (shift == 64) {
        rounded = scaled >= (std::uint64_t{1} << 63) ? 1 : 0;
    } else {
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        rounded = scaled >> shift;
        if ((scaled & ((half << 1) - 1)) >= half) ++rounded;  // a tie goes up, away from zero
    }
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, rounded).ptr;
    std::size_t count = static_cast<std::size_t>(end - digits);
    const std::size_t fraction = static_cast<std::size_t>(decimals);
    if (std::signbit(value)) out += '-';
    if (count <= fraction) {
        out += '0';
        if (fraction > 0) {
            out += '.';
            out.append(fraction - count, '0');
        }
        out.append(digits, count);
        return true;
    }
    out.append(digits, count - fraction);
    if (fraction > 0) {
        out += '.';
        out.append(digits + count - fraction, fraction);
    }
    return true;
}

// Any finite value at any number of decimals, through the library's exact
// conversion, with its ties to even mended.
void appendLargeFixed(std::string& out, double value, int decimals) {
    const std::size_t start = out.size();
    if (!isHalfway(value, decimals)) {
        appendToChars(out, value, decimals);
        return;
    }
    // One more decimal shows the tie exactly, ending in 5: drop it (and a
    // point left bare) and round the magnitude up.
    appendToChars(out, value, decimals + 1);
    out.pop_back();
    if (out.back() == '.') out.pop_back();
    incrementDigits(out, start + (value < 0 ? 1 : 0));
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
    if (!appendSmallFixed(out, value, decimals)) appendLargeFixed(out, value, decimals);
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
