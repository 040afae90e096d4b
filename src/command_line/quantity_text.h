// The values of the command line's options: a number written in full in
// decimal, then an optional unit suffix that is converted once into the unit
// the model works in (inches, square inches, gauss, millihenries).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ballast {

// The units a value may be written in, each with the model's own unit first.
enum class UnitKind {
    None,        // a plain number: volts, amperes, hertz, the permeability, turns
    Length,      // inches; "in", "mm" (one division by 25.4), "cm" (by 2.54)
    Area,        // square inches; "in2", "mm2" (by 645.16), "cm2" (by 6.4516)
    Flux,        // gauss; "G", "mT" (times 10), "T" (times 10000)
    Inductance,  // millihenries; "mH", "H" (times 1000), "uH" (by 1000)
};

// A decimal number exactly as written: digits * 10^exponent.
struct ExactDecimal {
    bool negative = false;
    std::uint64_t digits = 0;  // at most 19 significant digits
    int exponent = 0;
};

// Reads `text` as a number ("12", "-0.5", "+.5e-3"; no hexadecimal, no
// infinity or NaN, no blanks) followed directly by nothing or by a suffix of
// `kind`. On success stores the number in `decimal` and the suffix in
// `suffix` and returns ""; otherwise returns what is wrong with it.
std::string readExactDecimal(std::string_view text, UnitKind kind, ExactDecimal& decimal, std::string& suffix);

// The double nearest to `decimal`, then converted from the unit of `suffix`
// into the model's unit by its one multiplication or division.
double toModelUnit(const ExactDecimal& decimal, UnitKind kind, std::string_view suffix);

// readExactDecimal and toModelUnit together; the result must also be finite.
// Returns "" and stores the value, or returns what is wrong.
std::string readQuantity(std::string_view text, UnitKind kind, double& value);

}  // namespace ballast
