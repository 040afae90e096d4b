// Fixed-point text of a double, as printf's "%W.Plf" writes it but with a value
// exactly halfway between two printable values rounded away from zero (printf
// and std::to_chars round such ties to even). The point is always '.', whatever
// the locale.
#pragma once

#include <string>

namespace ballast {

// `value` with `decimals` digits after the point (no point when 0), right-aligned
// in at least `width` characters; a longer text widens the field and is never
// cut. Infinities and NaNs are spelled "inf", "-inf", "nan" and "-nan".
std::string formatFixed(double value, int width, int decimals);

// Appends formatFixed(value, width, decimals) to `out`.
void appendFixed(std::string& out, double value, int width, int decimals);

}  // namespace ballast
