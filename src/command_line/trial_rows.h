// The command line's output: the entered design, then one row a trial gap,
// as an aligned table for people, or as csv or json for programs. Rows are
// written as they are computed, so memory stays flat however long the sweep.
// Gaps are in inches and millimetres, the inductance in millihenries, the
// flux density in gauss; with a saturation flux density each row tells how
// near it the trial comes, and with a wire how the trial's turns are wound.
#pragma once

#include <string>

#include "command_line/options.h"
#include "design/design.h"
#include "design/gap_solvers.h"

namespace ballast {

// One output's rows: their format, the questions each row answers, and what
// the rows share.
struct TrialRows {
    OutputFormat format = OutputFormat::Table;
    bool withBsat = false;
    double Bsat = 0;                // gauss
    WindingRequest winding;         // winding.wanted: each row is wound
    std::size_t written = 0;        // rows appended so far
    double inductanceShown = 0;     // the inductance (mH) whose csv text is kept
    std::string inductanceText;     // "" before the first csv row
};

// The rows for `request`.
TrialRows trialRowsFor(const CommandLineRequest& request);

// Appends what stands before the first row.
void appendRowsHeader(std::string& out, const TrialRows& rows, const BallastDesign& design);

// Appends the row of the trial held in `design`.
void appendTrialRow(std::string& out, TrialRows& rows, const BallastDesign& design);

// In a table, the winding has a block of its own after the rows, so that the
// lines stay within 80 columns: its header, then a row a trial.
void appendWindingHeader(std::string& out);
void appendWindingRow(std::string& out, const TrialRows& rows, const BallastDesign& design);

// A trim worked out from a measurement, for the end of the output.
struct TrimResult {
    const TrimRequest* request;
    Trim trim;
    double requiredMillihenries;
};

// The trim in one line: "650 turns measured 240 mH: wind 683 turns for
// 265.3 mH; effective gap 0.0515 in".
std::string trimSummary(const TrimResult& trim);

// Appends what stands after the last row: in a table and in json the trim,
// when there is one (`trim` may be nullptr).
void appendRowsFooter(std::string& out, const TrialRows& rows, const TrimResult* trim);

}  // namespace ballast
