// The design report: the text file "ballast_out.txt" in the working directory,
// which every run empties at its start and, when the trials end, fills with the
// seven entered quantities (volts, amperes, hertz, inches, square inches and
// the permeability), the gap of the last trial in inches and that trial's
// results in the units of the screen.
#pragma once

#include <cstdio>
#include <string>

#include "design/design.h"

namespace ballast {

inline constexpr const char* kReportFileName = "ballast_out.txt";

// Opens the report for writing in text mode, creating it or emptying it.
// Returns nullptr, with errno telling why, when it cannot be created.
std::FILE* openDesignReport();

// The whole text of the report of the last trial held in `design`.
std::string designReportText(const BallastDesign& design);

// Writes the report of `design` to `f` and closes `f`. Returns false, with
// errno telling why, when a write or the closing failed.
bool writeDesignReport(std::FILE* f, const BallastDesign& design);

}  // namespace ballast
