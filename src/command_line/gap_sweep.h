// A sweep over gap sizes, FROM:TO:STEP: the k-th gap is the double nearest to
// the exact decimal FROM + k * STEP (so 0.01:0.1:0.01 gives exactly the
// doubles of 0.01, 0.02, ..., 0.1, as if each were typed), converted once
// from the sweep's unit into inches; TO is included when it lies on the grid.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ballast {

// The most gaps one sweep may give.
inline constexpr std::uint64_t kMaxSweepGaps = 10'000'000;

struct GapSweep {
    std::int64_t from = 0;     // FROM / 10^exponent
    std::int64_t step = 0;     // STEP / 10^exponent
    int exponent = 0;          // the finest decimal place of FROM, TO and STEP
    std::uint64_t count = 0;   // the number of gaps
    std::string suffix;        // the unit of all three ("" for inches)
};

// Reads "FROM:TO:STEP", each a number with an optional length suffix; the
// suffixes given must agree, and one applies to all three. Checks that STEP
// is above 0, that FROM is at least 0 and at most TO, and that there are at
// most kMaxSweepGaps gaps. Returns "" and stores the sweep, or returns what
// is wrong.
std::string readGapSweep(std::string_view text, GapSweep& sweep);

// The k-th gap of `sweep`, in inches (k below sweep.count).
double sweepGap(const GapSweep& sweep, std::uint64_t k);

}  // namespace ballast
