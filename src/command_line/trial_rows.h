// The command line's output: the entered design, then one row a trial gap,
// as an aligned table for people, or as csv or json for programs. Rows are
// written as they are computed, so memory stays flat however long the sweep.
// Gaps are in inches and millimetres, the inductance in millihenries, the
// flux density in gauss.
#pragma once

#include <string>

#include "command_line/options.h"
#include "design/design.h"

namespace ballast {

// Appends what stands before the first row.
void appendRowsHeader(std::string& out, OutputFormat format, const BallastDesign& design);

// Appends the row of the trial held in `design`; `first` tells whether it is
// the first row.
void appendTrialRow(std::string& out, OutputFormat format, const BallastDesign& design, bool first);

// Appends what stands after the last row.
void appendRowsFooter(std::string& out, OutputFormat format);

}  // namespace ballast
