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

// Opens the report for writing in text mode, creating it or emptying it. It
// never waits: a FIFO that nobody reads cannot be opened ("No such device or
// address"), one with a reader is written as a file would be. Returns nullptr,
// with `error` set to the errno telling why, when it cannot be created.
std::FILE* openDesignReport(int& error);

// The whole text of the report of the last trial held in `design`.
std::string designReportText(const BallastDesign& design);

// Writes the report of `design` to `f` and closes `f`. Returns 0, or the errno
// of the first write or close that failed.
int writeDesignReport(std::FILE* f, const BallastDesign& design);

// Closes `f` with nothing written in it. Returns 0, or the errno of the close.
int closeEmptyDesignReport(std::FILE* f);

}  // namespace ballast
