// The command line's options, read into the design they describe, the gaps
// to try (given, swept, or solved for a flux density or a number of turns),
// the questions asked of each trial (saturation, the winding), a trim from a
// measurement, and the form of the output. Units are the model's: volts,
// amperes, hertz, inches, square inches, gauss and millihenries.
#pragma once

#include <string>
#include <vector>

#include "command_line/gap_sweep.h"
#include "design/design.h"
#include "winding/wire.h"

namespace ballast {

enum class OutputFormat { Table, Csv, Json };

enum class GapKind { Gap, Sweep, Flux, Turns };

// One --gap, --sweep, --flux or --turns, in the order given.
struct GapSource {
    GapKind kind = GapKind::Gap;
    std::string text;    // the value as given
    double value = 0;    // the gap (inches), the flux (gauss) or the turns
    GapSweep sweep;
};

// The wire each trial is wound with, when one is asked for.
struct WindingRequest {
    bool wanted = false;
    Wire wire{};
    double maxFillPercent = 40;
};

// A trial winding and what it measured.
struct TrimRequest {
    bool wanted = false;
    double measuredMillihenries = 0;
    double wound = 0;
    std::string measuredText;  // as given, for messages
};

struct CommandLineRequest {
    bool help = false;
    bool version = false;
    BallastDesign design;  // the seven entered quantities and D
    std::vector<GapSource> gaps;
    bool withBsat = false;
    double Bsat = 0;  // saturation flux density, gauss
    WindingRequest winding;
    TrimRequest trim;
    OutputFormat format = OutputFormat::Table;
};

// Reads the arguments after the program's name into `request` and checks the
// design. Returns "" or the message (without "ballast: ") of the first
// problem: an unknown option, a value missing or malformed, an operand, a
// missing quantity or gap, or a value that breaks a rule of the design.
std::string readCommandLine(int argc, char** argv, CommandLineRequest& request);

}  // namespace ballast
