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
        {{"--f=1"}, 2, "ballast: option '--f' is ambiguous: --frequency, --format" + tryHelp},
        {{"--gap"}, 2, "ballast: option '--gap' needs a value" + tryHelp},
        {{"4"}, 2, "ballast: unexpected operand '4'" + tryHelp},
        {exampleWith({"-g", "0.1", "--", "0.2"}), 2, "ballast: unexpected operand '0.2'" + tryHelp},
        {{"-V", "120", "-g", "0.1"}, 2,
         "ballast: the design needs --current, --frequency, --outside, --inside, --area, --permeability" + tryHelp},
        {kExampleCore, 2, "ballast: no gap to try: give --gap or --sweep" + tryHelp},
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
        EXPECT_EQ(c.status == 2, run.out.empty());
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
