#include "command_line/command_line.h"

#include <cmath>
#include <string>

#include "command_line/options.h"
#include "command_line/trial_rows.h"
#include "design/design.h"
#include "design/gap_solvers.h"
#include "design/number_format.h"

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
    "The gaps (at least one; rows come in the order given; each repeatable):\n"
    "  -g, --gap=LENGTH           a trial gap\n"
    "      --sweep=FROM:TO:STEP   gaps FROM, FROM+STEP, ... up to TO (LENGTHs)\n"
    "      --flux=FLUX            the gap whose peak flux density is FLUX\n"
    "      --turns=N              the gap that takes N turns\n"
    "Questions of each trial:\n"
    "      --bsat=FLUX            saturation flux density of the core material\n"
    "      --awg=GAUGE            wind with AWG GAUGE (0 to 40), heavy-build enamel\n"
    "      --wire=LENGTH          wind with this bare copper diameter ...\n"
    "      --build=LENGTH         ... whose enamel adds this (default: the nearest gauge's)\n"
    "      --current-density=A_MM2  wind with the thinnest AWG that carries the\n"
    "                             current at this many A/mm2 (default 3)\n"
    "      --max-fill=PERCENT     the most of the hole the copper may fill (default 40)\n"
    "Trim after measuring a trial winding (the two go together):\n"
    "      --measured=INDUCTANCE  what the trial winding measured\n"
    "      --wound=TURNS          the turns of the trial winding\n"
    "Output:\n"
    "      --format=FORMAT        table (the default), csv or json\n"
    "      --help                 show this help and exit\n"
    "      --version              show the version and exit\n"
    "\n"
    "LENGTH is in inches, or ends in in, mm or cm; AREA is in square inches, or\n"
    "ends in in2, mm2 or cm2; FLUX is in gauss, or ends in G, mT or T; INDUCTANCE\n"
    "is in millihenries, or ends in mH, H or uH.\n"
    "\n"
    "Example:\n"
    "  ballast -V 120 -I 1.2 -f 60 --outside 4 --inside 2 -A 1 -u 2000 \\\n"
    "          --sweep=0.01:0.1:0.01 --format=csv > sweep.csv\n"
    "\n"
    "Exit status: 0 when every row was written, 1 when standard output failed or\n"
    "--turns asks fewer turns than the core needs, 2 when the command line is wrong.\n";

// The trial of `design` with no gap.
BallastDesign trialWithNoGap(BallastDesign design) {
    design.G = 0;
    computeTrial(design);
    return design;
}

// Calls `row` with the gap of every row, in the order the options gave them:
// the gaps given, the sweeps' gaps, and the gaps solved for a flux density or
// a number of turns. A flux density that even no gap keeps the flux below
// gives the trial with no gap, said on standard error when `tell` is set.
template <typename Row>
void forEachGap(Console& console, const CommandLineRequest& request, bool tell, Row row) {
    for (const GapSource& source : request.gaps) {
        switch (source.kind) {
            case GapKind::Gap: row(source.value); break;
            case GapKind::Sweep:
                for (std::uint64_t k = 0; k < source.sweep.count && !outputFailed(console); ++k) {
                    row(sweepGap(source.sweep, k));
                }
                break;
            case GapKind::Turns: row(gapForTurns(request.design, source.value)); break;
            case GapKind::Flux: {
                const double gap = gapForFlux(request.design, source.value);
                if (gap >= 0) {
                    row(gap);
                    break;
                }
                if (tell) {
                    writeMessage(console, "--flux %s: with no gap the peak flux density is only %s gauss",
                                 source.text.c_str(), formatFixed(trialWithNoGap(request.design).B, 0, 0).c_str());
                }
                row(0.0);
                break;
            }
        }
    }
}

// The first --turns that even no gap cannot give (fewer turns than the core
// needs), as a message; "" when there is none.
std::string turnsBelowTheLeast(const CommandLineRequest& request) {
    for (const GapSource& source : request.gaps) {
        if (source.kind != GapKind::Turns || gapForTurns(request.design, source.value) >= 0) continue;
        return "--turns " + source.text + ": fewer than the " +
               formatFixed(std::ceil(trialWithNoGap(request.design).N), 0, 0) +
               " turns the core needs with no gap";
    }
    return "";
}

// Writes the rows of every gap, each as soon as it is computed, then the
// winding block of a table and the trim.
void writeRows(Console& console, const CommandLineRequest& request) {
    BallastDesign design = request.design;
    TrialRows rows = trialRowsFor(request);
    std::string text;
    appendRowsHeader(text, rows, design);
    // Each row is the trial at its gap, appended by `append` and written out.
    auto writeEachRow = [&](bool tell, auto append) {
        forEachGap(console, request, tell, [&](double gap) {
            design.G = gap;
            computeTrial(design);
            append();
            writeText(console, text);
            text.clear();
        });
    };
    writeEachRow(true, [&] { appendTrialRow(text, rows, design); });
    if (request.format == OutputFormat::Table && request.winding.wanted) {
        appendWindingHeader(text);
        writeEachRow(false, [&] { appendWindingRow(text, rows, design); });
    }
    TrimResult trim{};
    if (request.trim.wanted) {
        const double L = computeInductance(design.V, design.I, design.freq);
        const double measuredHenries = request.trim.measuredMillihenries / MILLIHENRIES_PER_HENRY;
        trim = {&request.trim, trimFromMeasurement(request.design, request.trim.wound, measuredHenries),
                MILLIHENRIES_PER_HENRY * L};
        if (trim.trim.effectiveGap < 0) {
            writeMessage(console,
                         "--measured %s: more than the winding gives with no gap: the core is more permeable than "
                         "stated, and the gap it implies is below 0",
                         request.trim.measuredText.c_str());
        }
        if (request.format == OutputFormat::Csv) {
            writeMessage(console, "trim: %s", trimSummary(trim).c_str());
        }
    }
    appendRowsFooter(text, rows, request.trim.wanted ? &trim : nullptr);
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
        const std::string impossible = turnsBelowTheLeast(request);
        if (!impossible.empty()) {
            writeMessage(console, "%s", impossible.c_str());
            finishConsole(console);
            return 1;
        }
        writeRows(console, request);
    }
    return finishConsole(console) ? 0 : 1;
}

}  // namespace ballast
