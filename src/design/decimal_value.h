// The double nearest to a decimal number written as its significant digits
// and a power of ten, rounded as the standard conversions round (to nearest,
// ties to even), in the classic locale whatever the process's. Both the
// dialogue's answers and the command line's values are read through it.
#pragma once

#include <cstdint>
#include <string_view>

namespace ballast {

// digits * 10^exponent, with `digits` a run of decimal digits without
// leading zeros ("" is 0). Too large a number gives infinity, too small 0.
double nearestDouble(std::string_view digits, std::int64_t exponent);

// The same for a whole number of digits.
double nearestDouble(std::uint64_t digits, std::int64_t exponent);

}  // namespace ballast
