// The command-line front end: its options, values, sweeps and units, and the
// rows it writes, end to end through the built program.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "command_line/gap_sweep.h"
#include "command_line/quantity_text.h"
#include "design/design.h"
#include "design/gap_solvers.h"
#include "program_run.h"

namespace ballast {
namespace {

using namespace ballast::testing;

const std::vector<std::string> kExampleCore = {"-V", "120", "-I", "1.2", "-f", "60", "--outside", "4",
                                               "--inside", "2", "-A", "1", "-u", "2000"};

std::vector<std::string> exampleWith(std::vector<std::string> more) {
    std::vector<std::string> args = kExampleCore;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

ProgramRun runWith(const TempFolder& folder, const std::vector<std::string>& args) {
    ProgramSetup setup;
    setup.args = args;
    return runProgram(setup, folder.path);
}

TEST(CommandLine, ArgumentListsGetTheirStatusAndMessageAndLeaveTheReportAlone) {
    const std::string tryHelp = "\nTry 'ballast --help' for more information.\n";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;  // the whole of standard error
    };
    const Case cases[] = {
        {{"--version"}, 0, ""},
        {{"--vers"}, 0, ""},
        {{"--help"}, 0, ""},
        {{"--bogus"}, 2, "ballast: unknown option '--bogus'" + tryHelp},
        {{"-z"}, 2, "ballast: unknown option '-z'" + tryHelp},
        {{"--help=yes"}, 2, "ballast: option '--help' takes no value" + tryHelp},
        {{"--f=1"}, 2, "ballast: option '--f' is ambiguous: --frequency, --flux, --format" + tryHelp},
        {{"--gap"}, 2, "ballast: option '--gap' needs a value" + tryHelp},
        {{"4"}, 2, "ballast: unexpected operand '4'" + tryHelp},
        {exampleWith({"-g", "0.1", "--", "0.2"}), 2, "ballast: unexpected operand '0.2'" + tryHelp},
        {{"-V", "120", "-g", "0.1"}, 2,
         "ballast: the design needs --current, --frequency, --outside, --inside, --area, --permeability" + tryHelp},
        {kExampleCore, 2, "ballast: no gap to try: give --gap, --sweep, --flux or --turns" + tryHelp},
        {exampleWith({"-g", "1,2"}), 2, "ballast: option '-g': '1,2' is not a number with a unit (in, mm, cm)" + tryHelp},
        {exampleWith({"--gap=12x"}), 2, "ballast: option '--gap': '12x' is not a number with a unit (in, mm, cm)" + tryHelp},
        {exampleWith({"-g", "0x10"}), 2, "ballast: option '-g': '0x10' is not a number with a unit (in, mm, cm)" + tryHelp},
        {exampleWith({"-g", ""}), 2, "ballast: option '-g': '' is an empty value" + tryHelp},
        {exampleWith({"-u", "1e999", "-g", "0"}), 2, "ballast: option '-u': '1e999' is not a finite number" + tryHelp},
        {exampleWith({"-V", "nan", "-g", "0"}), 2, "ballast: option '-V': 'nan' is not a number" + tryHelp},
        {exampleWith({"-I", "0", "-g", "0"}), 2, "ballast: option '--current': 0 is not above 0" + tryHelp},
        {exampleWith({"--inside=4", "-g", "0"}), 2,
         "ballast: option '--inside': 4 is not below the outside diameter 4" + tryHelp},
        {exampleWith({"-u", "0.5", "-g", "0"}), 2, "ballast: option '--permeability': 0.5 is below 1" + tryHelp},
        {exampleWith({"-g", "-0.01"}), 2, "ballast: option '--gap': -0.01 is below 0" + tryHelp},
        {exampleWith({"--sweep=0.1:0.01:0.01"}), 2,
         "ballast: option '--sweep': '0.1:0.01:0.01': FROM must be at most TO" + tryHelp},
        {exampleWith({"--sweep=0:1:0"}), 2, "ballast: option '--sweep': '0:1:0': STEP must be above 0" + tryHelp},
        {exampleWith({"--sweep=0:1:1e-7"}), 2,
         "ballast: option '--sweep': '0:1:1e-7': more than 10000000 gaps" + tryHelp},
        {exampleWith({"--sweep=1mm:2cm:1mm"}), 2,
         "ballast: option '--sweep': '1mm:2cm:1mm': one unit must serve FROM, TO and STEP" + tryHelp},
        {exampleWith({"--format=xml", "-g", "0"}), 2,
         "ballast: option '--format': 'xml' is not table, csv or json" + tryHelp},
        {exampleWith({"-u", "1", "--flux=1T"}), 2,
         "ballast: option '--flux' 1T: with a permeability of 1 the gap changes nothing" + tryHelp},
        {exampleWith({"-u", "1", "--turns=700"}), 2,
         "ballast: option '--turns' 700: with a permeability of 1 the gap changes nothing" + tryHelp},
        {exampleWith({"-u", "1", "--measured=240", "--wound=650"}), 2,
         "ballast: option '--measured': with a permeability of 1 no gap follows from a measurement" + tryHelp},
        {exampleWith({"--flux=0"}), 2, "ballast: option '--flux': 0 is not above 0" + tryHelp},
        {exampleWith({"--flux=3kG"}), 2, "ballast: option '--flux': '3kG' is not a number with a unit (G, mT, T)" + tryHelp},
        {exampleWith({"-g0", "--bsat=-1"}), 2, "ballast: option '--bsat': -1 is not above 0" + tryHelp},
        {exampleWith({"-g0", "--awg=41"}), 2, "ballast: option '--awg': 41 is not a gauge from 0 to 40" + tryHelp},
        {exampleWith({"-g0", "--awg=20.5"}), 2, "ballast: option '--awg': 20.5 is not a gauge from 0 to 40" + tryHelp},
        {exampleWith({"-g0", "--awg=20", "--wire=1mm"}), 2, "ballast: give --awg or --wire, not both" + tryHelp},
        {exampleWith({"-g0", "--build=0.002"}), 2, "ballast: option '--build' goes with --wire" + tryHelp},
        {exampleWith({"-g0", "--awg=20", "--current-density=3"}), 2,
         "ballast: option '--current-density' chooses the gauge, so it goes without --awg and --wire" + tryHelp},
        {exampleWith({"-g0", "--max-fill=30", "--format=csv"}), 0, ""},  // the gauge at 3 A/mm2
        {exampleWith({"-g0", "--current-density=0.0001"}), 2,
         "ballast: option '--current-density': 0.0001 A/mm2 needs a wire thicker than AWG 0" + tryHelp},
        {exampleWith({"-g0", "--measured=240"}), 2, "ballast: options '--measured' and '--wound' go together" + tryHelp},
        {exampleWith({"-g0", "--wound=650"}), 2, "ballast: options '--measured' and '--wound' go together" + tryHelp},
        {exampleWith({"--measured=240mHz", "--wound=650"}), 2,
         "ballast: option '--measured': '240mHz' is not a number with a unit (mH, H, uH)" + tryHelp},
        {exampleWith({"--gap=0.1", "--turns=150"}), 1,
         "ballast: --turns 150: fewer than the 198 turns the core needs with no gap\n"},
        {exampleWith({"--flux=40000"}), 0,
         "ballast: --flux 40000: with no gap the peak flux density is only 35253 gauss\n"},
        {exampleWith({"-g", "0.05"}), 0, ""},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& arg : c.args) joined += "[" + arg + "]";
        SCOPED_TRACE(joined);
        TempFolder folder;
        std::ofstream(folder.path + "/ballast_out.txt") << "an earlier run's report\n";
        const ProgramRun run = runWith(folder, c.args);
        EXPECT_EQ(c.status, run.exitStatus);
        EXPECT_EQ(c.err, run.err);
        EXPECT_EQ(c.status != 0, run.out.empty());
        EXPECT_EQ("an earlier run's report\n", readFile(folder.path + "/ballast_out.txt"));
    }
}

TEST(CommandLine, HelpAndVersion) {
    TempFolder folder;
    const ProgramRun version = runWith(folder, {"--version"});
    EXPECT_EQ("ballast 1.0\n", version.out);
    const ProgramRun help = runWith(folder, {"--help"});
    EXPECT_EQ(0u, help.out.find("Usage: ballast [OPTION]...\n"));
    for (const char* option : {"--voltage", "--current", "--frequency", "--outside", "--inside", "--area",
                               "--permeability", "--gap", "--sweep", "--format", "Example:"}) {
        EXPECT_NE(std::string::npos, help.out.find(option)) << option;
    }
}

TEST(CommandLine, TableShowsTheDesignAndARowAGapRounded) {
    TempFolder folder;
    const ProgramRun run = runWith(folder, exampleWith({"-g", "0.05", "--gap=2.54mm"}));
    EXPECT_EQ(0, run.exitStatus);
    EXPECT_EQ(
        "Voltage                120 V rms\n"
        "Current                1.2 A rms\n"
        "Line frequency         60 Hz\n"
        "Outside diameter       4 in\n"
        "Inside diameter        2 in\n"
        "Core area              1 in2\n"
        "Relative permeability  2000\n"
        "\n"
        "    gap in    gap mm      L mH   turns    V/turn   B gauss\n"
        "    0.0500     1.270     265.3     674     0.178     10348\n"
        "    0.1000     2.540     265.3     933     0.129      7480\n",
        run.out);
}

// The gaps that `--gap=0.05 --sweep=0:0.1:0.03 --gap=0.5cm` gives, in inches.
const std::vector<double> kGaps = {0.05, 0, 0.03, 0.06, 0.09, 0.5 / 2.54};

BallastDesign exampleTrial(double gap) {
    BallastDesign d{120, 1.2, 60, 4, 2, 1, 2000};
    d.D = computeMeanDiameter(d.Din, d.Dout);
    d.G = gap;
    computeTrial(d);
    return d;
}

double numberOf(const std::string& text) {
    double value = -1;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(result.ec == std::errc{} && result.ptr == text.data() + text.size()) << text;
    return value;
}

TEST(CommandLine, CsvReadsBackAsTheTrialsBitForBit) {
    TempFolder folder;
    const ProgramRun run = runWith(folder, exampleWith({"--gap=0.05", "--sweep=0:0.1:0.03", "--gap=0.5cm", "--format=csv"}));
    EXPECT_EQ(0, run.exitStatus);
    std::istringstream lines(run.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ("gap_in,gap_mm,inductance_mH,turns,volts_per_turn,flux_gauss\r", line);
    for (double gap : kGaps) {
        ASSERT_TRUE(std::getline(lines, line));
        ASSERT_EQ('\r', line.back());
        line.pop_back();
        std::vector<double> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(numberOf(cell));
        const BallastDesign d = exampleTrial(gap);
        const std::vector<double> expected = {d.G, 25.4 * d.G, 1000 * d.L, d.N, d.VT, d.B};
        EXPECT_EQ(expected, fields) << gap;
    }
    EXPECT_FALSE(std::getline(lines, line));
}

TEST(CommandLine, JsonReadsBackAsTheInputsAndTrialsBitForBit) {
    TempFolder folder;
    const ProgramRun run = runWith(folder, exampleWith({"--gap=0.05", "--sweep=0:0.1:0.03", "--gap=0.5cm", "--format=json"}));
    EXPECT_EQ(0, run.exitStatus);
    const nlohmann::json document = nlohmann::json::parse(run.out);
    const nlohmann::json expectedInputs = {{"voltage_V", 120.0}, {"current_A", 1.2}, {"frequency_Hz", 60.0},
                                           {"outside_in", 4.0},  {"inside_in", 2.0}, {"area_in2", 1.0},
                                           {"permeability", 2000.0}};
    EXPECT_EQ(expectedInputs, document.at("inputs"));
    ASSERT_EQ(kGaps.size(), document.at("trials").size());
    for (std::size_t i = 0; i < kGaps.size(); ++i) {
        const nlohmann::json& trial = document.at("trials").at(i);
        const BallastDesign d = exampleTrial(kGaps[i]);
        EXPECT_EQ(d.G, trial.at("gap_in").get<double>());
        EXPECT_EQ(25.4 * d.G, trial.at("gap_mm").get<double>());
        EXPECT_EQ(1000 * d.L, trial.at("inductance_mH").get<double>());
        EXPECT_EQ(d.N, trial.at("turns").get<double>());
        EXPECT_EQ(d.VT, trial.at("volts_per_turn").get<double>());
        EXPECT_EQ(d.B, trial.at("flux_gauss").get<double>());
    }
}

TEST(CommandLine, SolvedGapsSaturationWindingAndTrimInJson) {
    TempFolder folder;
    const ProgramRun run = runWith(folder, exampleWith({"--flux=1T", "--turns=700", "--bsat=10000", "--wire=0.3",
                                                        "--measured=0.24H", "--wound=650", "--format=json"}));
    EXPECT_EQ(0, run.exitStatus);
    EXPECT_EQ("", run.err);
    const nlohmann::json document = nlohmann::json::parse(run.out);
    EXPECT_EQ(10000.0, document.at("inputs").at("bsat_gauss").get<double>());
    const nlohmann::json& trials = document.at("trials");
    ASSERT_EQ(2u, trials.size());
    BallastDesign example = exampleTrial(0);
    // Each row is the trial at its solved gap, which gives the target back.
    EXPECT_EQ(gapForFlux(example, 10000), trials[0].at("gap_in").get<double>());
    EXPECT_NEAR(10000, trials[0].at("flux_gauss").get<double>(), 1e-8);
    EXPECT_EQ(gapForTurns(example, 700), trials[1].at("gap_in").get<double>());
    EXPECT_NEAR(700, trials[1].at("turns").get<double>(), 1e-9);
    // 10000 gauss is the limit: the first row may be a hair either side of it.
    EXPECT_EQ(trials[0].at("flux_gauss").get<double>() >= 10000, trials[0].at("saturates").get<bool>());
    EXPECT_FALSE(trials[1].at("saturates").get<bool>());
    EXPECT_NEAR(99.66, trials[1].at("flux_percent_of_bsat").get<double>(), 0.01);
    // A wire given by its diameter has no gauge; 0.3 in wire does not go
    // through a 2 in hole 700 times.
    EXPECT_TRUE(trials[1].at("awg").is_null());
    EXPECT_TRUE(trials[1].at("layers").is_null());
    EXPECT_FALSE(trials[1].at("fits").get<bool>());
    EXPECT_EQ(700.0, trials[1].at("turns_wound").get<double>());
    const Trim trim = trimFromMeasurement(example, 650, 0.24);
    const nlohmann::json expectedTrim = {{"measured_mH", 240.0}, {"wound", 650.0}, {"turns", trim.turns},
                                         {"effective_gap_in", trim.effectiveGap}};
    EXPECT_EQ(expectedTrim, document.at("trim"));
}

TEST(CommandLine, CsvRowsStayTheSameAndTheTrimGoesToStandardError) {
    TempFolder folder;
    const ProgramRun plain = runWith(folder, exampleWith({"-g", "0.05", "--format=csv"}));
    const ProgramRun trimmed = runWith(folder, exampleWith({"-g", "0.05", "--format=csv", "--measured=0.24H", "--wound=650"}));
    EXPECT_EQ(0, trimmed.exitStatus);
    EXPECT_EQ(plain.out, trimmed.out);
    EXPECT_EQ("ballast: trim: 650 turns measured 240 mH: wind 683 turns for 265.3 mH; effective gap 0.0515 in\n",
              trimmed.err);
}

TEST(CommandLine, AWriteErrorIsReported) {
    TempFolder folder;
    ProgramSetup setup;
    setup.args = exampleWith({"--sweep=0:1:0.0001", "--format=csv"});
    setup.stdoutPath = "/dev/full";
    const ProgramRun run = runProgram(setup, folder.path);
    EXPECT_EQ(1, run.exitStatus);
    EXPECT_EQ("ballast: write error on standard output: No space left on device\n", run.err);
}

TEST(GapSweep, EachGapIsTheDoubleOfItsDecimalAsIfTyped) {
    struct Case {
        const char* text;
        std::vector<const char*> typed;  // the gaps as a user would type them
        double divisor;                  // the unit's, 1 for inches
    };
    const Case cases[] = {
        {"0.01:0.1:0.01", {"0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08", "0.09", "0.1"}, 1},
        {"0:0.1:0.03", {"0", "0.03", "0.06", "0.09"}, 1},  // TO off the grid is left out
        {"0.3:0.3:1", {"0.3"}, 1},
        {"1e-1:3e-1:.1", {"0.1", "0.2", "0.3"}, 1},
        {"1:2mm:0.5", {"1", "1.5", "2"}, 25.4},
        {"1cm:2cm:0.25cm", {"1", "1.25", "1.5", "1.75", "2"}, 2.54},
    };
    for (const Case& c : cases) {
        GapSweep sweep;
        ASSERT_EQ("", readGapSweep(c.text, sweep)) << c.text;
        ASSERT_EQ(c.typed.size(), sweep.count) << c.text;
        for (std::size_t k = 0; k < c.typed.size(); ++k) {
            EXPECT_EQ(std::strtod(c.typed[k], nullptr) / c.divisor, sweepGap(sweep, k)) << c.text << " " << k;
        }
    }
    GapSweep longest;
    EXPECT_EQ("", readGapSweep("0:9.999999:0.000001", longest));
    EXPECT_EQ(10'000'000u, longest.count);
    EXPECT_EQ(9.999999, sweepGap(longest, longest.count - 1));
}

TEST(ReadQuantity, SuffixesConvertOnceAndAValueIsANumberInFull) {
    struct Case {
        const char* text;
        UnitKind kind;
        double value;  // NAN: refused
    };
    const Case cases[] = {
        {"4", UnitKind::Length, 4},
        {"4in", UnitKind::Length, 4},
        {"101.6mm", UnitKind::Length, 101.6 / 25.4},
        {"10.16cm", UnitKind::Length, 10.16 / 2.54},
        {"1in2", UnitKind::Area, 1},
        {"645.16mm2", UnitKind::Area, 645.16 / 645.16},
        {"7cm2", UnitKind::Area, 7 / 6.4516},
        {"+5", UnitKind::None, 5},
        {"5.", UnitKind::None, 5},
        {".5e1", UnitKind::None, 5},
        {"12x", UnitKind::None, NAN},
        {"1,2", UnitKind::None, NAN},
        {"0x10", UnitKind::None, NAN},
        {"", UnitKind::None, NAN},
        {" 5", UnitKind::None, NAN},
        {"5 ", UnitKind::None, NAN},
        {"inf", UnitKind::None, NAN},
        {"1e400", UnitKind::None, NAN},
        {"4mm", UnitKind::None, NAN},
        {"4mm2", UnitKind::Length, NAN},
        {"4 mm", UnitKind::Length, NAN},
    };
    for (const Case& c : cases) {
        double value = -1;
        const std::string problem = readQuantity(c.text, c.kind, value);
        if (std::isnan(c.value)) {
            EXPECT_NE("", problem) << c.text;
        } else {
            EXPECT_EQ("", problem) << c.text;
            EXPECT_EQ(c.value, value) << c.text;
        }
    }
}

}  // namespace
}  // namespace ballast
