#include "design/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace ballast {
namespace {

__extension__ typedef unsigned __int128 Wide;  // GCC and Clang's 128-bit integer

// The most decimals printed; more would show nothing of a double that these
// do not, and they keep every product below in 128 bits.
constexpr int kMaxDecimals = 22;

constexpr std::uint64_t kTenToThe19 = 10'000'000'000'000'000'000ULL;

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

// 10^0 to 10^kMaxDecimals.
constexpr auto kPowersOfTen = [] {
    std::array<Wide, kMaxDecimals + 1> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
}();

// Writes the decimal digits of `n` at `digits`, which has room for 40, and
// returns their end.
char* wholeDigits(char* digits, Wide n) {
    char* end;
    if (n <= UINT64_MAX) {
        end = std::to_chars(digits, digits + 40, static_cast<std::uint64_t>(n)).ptr;
    } else {
        // n < 2^127, so n / 10^19 < 2^64.
        end = std::to_chars(digits, digits + 40, static_cast<std::uint64_t>(n / kTenToThe19)).ptr;
        char low[24];
        char* lowEnd = std::to_chars(low, low + sizeof low, static_cast<std::uint64_t>(n % kTenToThe19)).ptr;
        const std::size_t lowCount = static_cast<std::size_t>(lowEnd - low);
        for (std::size_t i = lowCount; i < 19; ++i) *end++ = '0';
        for (std::size_t i = 0; i < lowCount; ++i) *end++ = low[i];
    }
    return end;
}

// The longest text: up to 309 integer digits, a sign, a point and the decimals.
constexpr std::size_t kMaxText = 340;

// The one rounding rule. |value| = mantissa / 2^shift, so |value| * 10^decimals
// is mantissa * 10^decimals / 2^shift, worked out exactly in 128-bit integers
// (mantissa < 2^53 and 10^decimals < 2^74) and rounded to nearest with a tie
// going up, away from zero. `shift` is at least 1 and at most 127. Writes the
// text at `text` and returns its end. Flattened: every number printed passes
// here, and the digit conversion must stay inlined however many callers it has.
__attribute__((flatten)) char* roundedText(char* text, bool negative, std::uint64_t mantissa, int shift, int decimals) {
    const Wide scaled = Wide{mantissa} * kPowersOfTen[static_cast<std::size_t>(decimals)];
    const Wide half = Wide{1} << (shift - 1);
    const Wide rounded = (scaled + half) >> shift;

    char digits[48];
    const std::size_t count = static_cast<std::size_t>(wholeDigits(digits, rounded) - digits);
    const std::size_t fraction = static_cast<std::size_t>(decimals);
    char* end = text;
    if (negative) *end++ = '-';
    if (count <= fraction) {
        // Below one: a zero, the point, then zeros up to the first digit.
        *end++ = '0';
        *end++ = '.';
        end = std::fill_n(end, fraction - count, '0');
        return std::copy_n(digits, count, end);
    }
    end = std::copy_n(digits, count - fraction, end);
    if (fraction > 0) {
        *end++ = '.';
        end = std::copy_n(digits + count - fraction, fraction, end);
    }
    return end;
}

void appendPadded(std::string& out, std::string_view text, int width) {
    if (width > 0 && static_cast<std::size_t>(width) > text.size()) {
        out.append(static_cast<std::size_t>(width) - text.size(), ' ');
    }
    out.append(text);
}

}  // namespace

void appendFixed(std::string& out, double value, int width, int decimals) {
    decimals = decimals < 0 ? 0 : (decimals > kMaxDecimals ? kMaxDecimals : decimals);
    if (std::isnan(value)) {
        appendPadded(out, std::signbit(value) ? "-nan" : "nan", width);
        return;
    }
    if (std::isinf(value)) {
        appendPadded(out, value < 0 ? "-inf" : "inf", width);
        return;
    }
    // The text goes behind room for the padding of any usual width.
    constexpr std::size_t kRoom = 64;
    char buffer[kRoom + kMaxText];
    char* const text = buffer + kRoom;
    char* end;
    const BinaryParts parts = binaryParts(value);
    // A value halfway between two printable ones is an odd multiple of
    // 2^-(decimals + 1), so it has a fraction and a shift of at most
    // decimals + 1 + 52: every tie takes the first branch. Whole numbers of
    // 2^53 and more, and magnitudes below 2^-75, cannot be ties: the library's
    // exact digits serve for them, its own rounding (ties to even) unused.
    const int shift = -parts.exponent;
    if (shift >= 1 && shift <= 127) {
        end = roundedText(text, std::signbit(value), parts.mantissa, shift, decimals);
    } else {
        end = std::to_chars(text, text + kMaxText, value, std::chars_format::fixed, decimals).ptr;
    }
    const std::size_t length = static_cast<std::size_t>(end - text);
    const std::size_t padding = width > 0 && static_cast<std::size_t>(width) > length ? static_cast<std::size_t>(width) - length : 0;
    if (padding <= kRoom) {
        // Padded in place, so the text is appended in one piece.
        std::fill_n(text - padding, padding, ' ');
        out.append(text - padding, padding + length);
        return;
    }
    appendPadded(out, std::string_view(text, length), width);
}

std::string formatFixed(double value, int width, int decimals) {
    std::string text;
    appendFixed(text, value, width, decimals);
    return text;
}

}  // namespace ballast
