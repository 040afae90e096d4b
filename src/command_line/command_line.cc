#include "command_line/command_line.h"

#include <string>

#include "command_line/options.h"
#include "command_line/trial_rows.h"
#include "design/design.h"

namespace ballast {
namespace {

constexpr const char* kUsage =
    "Usage: ballast [OPTION]...\n"
    "Size the winding of a ballast inductor on a gapped toroidal core.\n"
    "With no option, ask for the design on the console and write the last trial\n"
    "to ballast_out.txt; with options, print one row a trial gap on standard output.\n"
    "\n"
    "The design (all seven are needed):\n"
    "  -V, --voltage=VOLTS        rms voltage across the ballast\n"
    "  -I, --current=AMPS         rms current through the ballast\n"
    "  -f, --frequency=HZ         line frequency\n"
    "      --outside=LENGTH       outside diameter of the toroid\n"
    "      --inside=LENGTH        inside diameter of the toroid\n"
    "  -A, --area=AREA            cross-sectional area of the core\n"
    "  -u, --permeability=UR      relative permeability of the core material\n"
    "The gaps (at least one; rows come in the order given):\n"
    "  -g, --gap=LENGTH           a trial gap; repeatable\n"
    "      --sweep=FROM:TO:STEP   gaps FROM, FROM+STEP, ... up to TO (LENGTHs)\n"
    "Output:\n"
    "      --format=FORMAT        table (the default), csv or json\n"
    "      --help                 show this help and exit\n"
    "      --version              show the version and exit\n"
    "\n"
    "LENGTH is in inches, or ends in in, mm or cm; AREA is in square inches, or\n"
    "ends in in2, mm2 or cm2. No option has a default but --format.\n"
    "\n"
    "Example:\n"
    "  ballast -V 120 -I 1.2 -f 60 --outside 4 --inside 2 -A 1 -u 2000 \\\n"
    "          --sweep=0.01:0.1:0.01 --format=csv > sweep.csv\n"
    "\n"
    "Exit status: 0 when every row was written, 1 when standard output failed,\n"
    "2 when the command line is wrong.\n";

// Writes the rows of every gap, each as soon as it is computed.
void writeRows(Console& console, const CommandLineRequest& request) {
    BallastDesign design = request.design;
    TrialRows rows;
    rows.format = request.format;
    std::string text;
    appendRowsHeader(text, rows, design);
    auto row = [&](double gap) {
        design.G = gap;
        computeTrial(design);
        appendTrialRow(text, rows, design);
        writeText(console, text);
        text.clear();
    };
    for (const GapSource& source : request.gaps) {
        if (!source.isSweep) {
            row(source.G);
            continue;
        }
        for (std::uint64_t k = 0; k < source.sweep.count && !outputFailed(console); ++k) {
            row(sweepGap(source.sweep, k));
        }
    }
    appendRowsFooter(text, rows);
    writeText(console, text);
}

}  // namespace

int runCommandLine(Console& console, int argc, char** argv) {
    CommandLineRequest request;
    const std::string problem = readCommandLine(argc, argv, request);
    if (!problem.empty()) {
        writeMessage(console, "%s\nTry 'ballast --help' for more information.", problem.c_str());
        finishConsole(console);
        return 2;
    }
    if (request.help) {
        writeText(console, kUsage);
    } else if (request.version) {
        writeText(console, "ballast " BALLAST_VERSION "\n");
    } else {
        writeRows(console, request);
    }
    return finishConsole(console) ? 0 : 1;
}

}  // namespace ballast
