#include "command_line/gap_sweep.h"

#include "command_line/quantity_text.h"

namespace ballast {
namespace {

__extension__ typedef __int128 Wide;  // GCC and Clang's 128-bit integer

// FROM, TO and STEP as whole numbers of 10^exponent, when they fit.
bool align(const ExactDecimal& value, int exponent, Wide& whole) {
    Wide n = value.digits;
    for (int e = value.exponent; e > exponent && n <= Wide{INT64_MAX}; --e) n *= 10;
    if (n > Wide{INT64_MAX}) return false;
    whole = value.negative ? -n : n;
    return true;
}

}  // namespace

std::string readGapSweep(std::string_view text, GapSweep& sweep) {
    ExactDecimal parts[3];
    std::string suffix;
    std::string_view rest = text;
    for (int i = 0; i < 3; ++i) {
        const std::size_t colon = rest.find(':');
        if ((i < 2) != (colon != std::string_view::npos)) return "not FROM:TO:STEP";
        const std::string_view part = rest.substr(0, colon);
        std::string partSuffix;
        const std::string problem = readExactDecimal(part, UnitKind::Length, parts[i], partSuffix);
        if (!problem.empty()) return "\"" + std::string(part) + "\" is " + problem;
        if (!partSuffix.empty()) {
            if (!suffix.empty() && suffix != partSuffix) return "one unit must serve FROM, TO and STEP";
            suffix = partSuffix;
        }
        if (colon != std::string_view::npos) rest.remove_prefix(colon + 1);
    }
    int exponent = 0;
    for (const ExactDecimal& part : parts) exponent = part.exponent < exponent ? part.exponent : exponent;
    Wide from, to, step;
    if (!align(parts[0], exponent, from) || !align(parts[1], exponent, to) || !align(parts[2], exponent, step)) {
        return "too many digits between the largest and the finest decimal place";
    }
    if (step <= 0) return "STEP must be above 0";
    if (from < 0) return "FROM must be at least 0";
    if (from > to) return "FROM must be at most TO";
    const Wide count = (to - from) / step + 1;
    if (count > Wide{kMaxSweepGaps}) return "more than 10000000 gaps";
    sweep.from = static_cast<std::int64_t>(from);
    sweep.step = static_cast<std::int64_t>(step);
    sweep.exponent = exponent;
    sweep.count = static_cast<std::uint64_t>(count);
    sweep.suffix = suffix;
    return "";
}

double sweepGap(const GapSweep& sweep, std::uint64_t k) {
    // FROM + k * STEP stays below 2^63 + 10^7 * 2^63, so it fits in 128 bits;
    // it is at most TO, which fits in 63.
    const Wide whole = Wide{sweep.from} + Wide{k} * Wide{sweep.step};
    ExactDecimal decimal;
    decimal.digits = static_cast<std::uint64_t>(whole);
    decimal.exponent = sweep.exponent;
    return toModelUnit(decimal, UnitKind::Length, sweep.suffix);
}

}  // namespace ballast
