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

// One output's rows: their format, and what the rows share.
struct TrialRows {
    OutputFormat format = OutputFormat::Table;
    std::size_t written = 0;       // rows appended so far
    double inductanceShown = 0;    // the inductance (mH) whose csv text is kept
    std::string inductanceText;    // "" before the first csv row
};

// Appends what stands before the first row.
void appendRowsHeader(std::string& out, const TrialRows& rows, const BallastDesign& design);

// Appends the row of the trial held in `design`.
void appendTrialRow(std::string& out, TrialRows& rows, const BallastDesign& design);

// Appends what stands after the last row.
void appendRowsFooter(std::string& out, const TrialRows& rows);

}  // namespace ballast
