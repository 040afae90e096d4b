#include "dialogue/answer_reader.h"

#include <cstdint>
#include <limits>

#include "design/decimal_value.h"

namespace ballast {
namespace {

// Significant digits kept of a decimal number. A double is decided by at most
// 767 of them; past that, what is left only matters as being zero or not.
constexpr std::size_t kKeptDigits = 800;
// An exponent beyond this is as good as infinite.
constexpr std::int64_t kExponentCap = 1000000000;
// The longest n-char-sequence taken in "nan(...)".
constexpr std::size_t kMaxNanChars = 64;

bool isSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(int c) { return c >= '0' && c <= '9'; }
int lower(int c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// Skips white space. Returns false when the input has ended.
bool skipSpace(Console& console) {
    for (;;) {
        const int c = peekByte(console, 0);
        if (c < 0) return false;
        if (!isSpace(c)) return true;
        consumeBytes(console, 1);
    }
}

// Whether the input `at` bytes on spells `letters` (lower case), in any case.
bool spells(Console& console, std::size_t at, std::string_view letters) {
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (lower(peekByte(console, at + i)) != letters[i]) return false;
    }
    return true;
}

// Skips the word ahead, up to the next white space, keeping what is shown.
void skipWord(Console& console, std::string& word) {
    word.clear();
    for (;;) {
        const int c = peekByte(console, 0);
        if (c < 0 || isSpace(c)) return;
        consumeBytes(console, 1);
        if (word.size() < kShownWordLength) word += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
    }
}

// The length of a sign, if one stands `at` bytes on.
std::size_t signLength(Console& console, std::size_t at) {
    const int c = peekByte(console, at);
    return (c == '+' || c == '-') ? 1 : 0;
}

// Takes the decimal number that starts at the next byte (a digit, or a point
// followed by a digit) and returns its magnitude, correctly rounded.
double takeDecimal(Console& console) {
    std::string digits;        // significant digits, no leading zeros
    std::int64_t exponent = 0; // value = digits * 10^exponent
    bool droppedNonZero = false;

    auto keep = [&](int c, bool fractional) {
        if (digits.empty() && c == '0') {
            if (fractional) --exponent;
        } else if (digits.size() < kKeptDigits) {
            digits += static_cast<char>(c);
            if (fractional) --exponent;
        } else {
            if (!fractional) ++exponent;
            droppedNonZero = droppedNonZero || c != '0';
        }
    };

    int c;
    while (isDigit(c = peekByte(console, 0))) {
        keep(c, false);
        consumeBytes(console, 1);
    }
    if (c == '.') {
        consumeBytes(console, 1);
        while (isDigit(c = peekByte(console, 0))) {
            keep(c, true);
            consumeBytes(console, 1);
        }
    }
    if (lower(c) == 'e') {
        const std::size_t sign = signLength(console, 1);
        if (isDigit(peekByte(console, 1 + sign))) {
            const bool negative = sign != 0 && peekByte(console, 1) == '-';
            consumeBytes(console, 1 + sign);
            std::int64_t written = 0;
            while (isDigit(c = peekByte(console, 0))) {
                if (written < kExponentCap) written = written * 10 + (c - '0');
                consumeBytes(console, 1);
            }
            exponent += negative ? -written : written;
        }
    }

    if (droppedNonZero) {
        // A nonzero digit past the kept ones decides a rounding tie as a
        // digit right after them would.
        digits += '1';
        --exponent;
    }
    return nearestDouble(digits, exponent);
}

}  // namespace

AnswerRead readDoubleAnswer(Console& console, double& value, std::string& word) {
    if (!skipSpace(console)) return AnswerRead::Ended;
    const std::size_t sign = signLength(console, 0);
    const bool negative = sign != 0 && peekByte(console, 0) == '-';
    const int first = peekByte(console, sign);
    double magnitude;
    if (isDigit(first) || (first == '.' && isDigit(peekByte(console, sign + 1)))) {
        consumeBytes(console, sign);
        magnitude = takeDecimal(console);
    } else if (spells(console, sign, "inf")) {
        consumeBytes(console, sign + (spells(console, sign + 3, "inity") ? 8 : 3));
        magnitude = std::numeric_limits<double>::infinity();
    } else if (spells(console, sign, "nan")) {
        std::size_t length = 3;
        if (peekByte(console, sign + 3) == '(') {
            std::size_t i = sign + 4;
            for (int c; i < sign + 4 + kMaxNanChars; ++i) {
                c = peekByte(console, i);
                if (!(isDigit(c) || (lower(c) >= 'a' && lower(c) <= 'z') || c == '_')) break;
            }
            if (peekByte(console, i) == ')') length = i + 1 - sign;
        }
        consumeBytes(console, sign + length);
        magnitude = std::numeric_limits<double>::quiet_NaN();
    } else {
        skipWord(console, word);
        return AnswerRead::NotANumber;
    }
    value = negative ? -magnitude : magnitude;
    return AnswerRead::Number;
}

AnswerRead readIntAnswer(Console& console, int& value, std::string& word) {
    if (!skipSpace(console)) return AnswerRead::Ended;
    const std::size_t sign = signLength(console, 0);
    const bool negative = sign != 0 && peekByte(console, 0) == '-';
    if (!isDigit(peekByte(console, sign))) {
        skipWord(console, word);
        return AnswerRead::NotANumber;
    }
    consumeBytes(console, sign);
    // Accumulated negatively, so the most negative int is reachable.
    constexpr int kMin = std::numeric_limits<int>::min();
    int accumulated = 0;
    for (int c; isDigit(c = peekByte(console, 0));) {
        const int digit = c - '0';
        accumulated = (accumulated < (kMin + digit) / 10) ? kMin : accumulated * 10 - digit;
        consumeBytes(console, 1);
    }
    if (negative) {
        value = accumulated;
    } else {
        value = accumulated == kMin ? std::numeric_limits<int>::max() : -accumulated;
    }
    return AnswerRead::Number;
}

}  // namespace ballast
