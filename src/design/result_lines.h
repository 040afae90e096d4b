// The four lines that show one trial's results: the inductance in millihenries,
// the number of turns (rounded only here), the volts per turn and the peak flux
// density in gauss. The screen shows them after every trial, the report once.
#pragma once

#include <string>

#include "design/design.h"

namespace ballast {

// Appends the result lines of the trial held in `design` to `out`, preceded by
// an empty line when `leadingEmptyLine` is set (as on the screen).
void writeResultLines(std::string& out, const BallastDesign& design, bool leadingEmptyLine);

}  // namespace ballast
