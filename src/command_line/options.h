// The command line's options, read into the design they describe, the gaps
// to try and the form of the output. Units are the model's: volts, amperes,
// hertz, inches and square inches.
#pragma once

#include <string>
#include <vector>

#include "command_line/gap_sweep.h"
#include "design/design.h"

namespace ballast {

enum class OutputFormat { Table, Csv, Json };

// One --gap or --sweep, in the order given.
struct GapSource {
    std::string text;    // the value as given
    double G = 0;        // a single gap, inches
    bool isSweep = false;
    GapSweep sweep;
};

struct CommandLineRequest {
    bool help = false;
    bool version = false;
    BallastDesign design;  // the seven entered quantities and D
    std::vector<GapSource> gaps;
    OutputFormat format = OutputFormat::Table;
};

// Reads the arguments after the program's name into `request` and checks the
// design. Returns "" or the message (without "ballast: ") of the first
// problem: an unknown option, a value missing or malformed, an operand, a
// missing quantity or gap, or a value that breaks a rule of the design.
std::string readCommandLine(int argc, char** argv, CommandLineRequest& request);

}  // namespace ballast
