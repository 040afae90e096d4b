#include "command_line/trial_rows.h"

#include <bit>
#include <charconv>
#include <cstdint>

#include <nlohmann/json.hpp>

#include "design/number_format.h"

namespace ballast {
namespace {

constexpr double kMillimetresPerInch = 25.4;

// The shortest text that reads back as the same double.
void appendShortest(std::string& out, double value) {
    char text[32];
    out.append(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text));
}

void appendTableHeader(std::string& out, const BallastDesign& d) {
    auto line = [&out](const char* label, double value, const char* unit) {
        out += label;
        appendShortest(out, value);
        out += unit;
    };
    line("Voltage                ", d.V, " V rms\n");
    line("Current                ", d.I, " A rms\n");
    line("Line frequency         ", d.freq, " Hz\n");
    line("Outside diameter       ", d.Dout, " in\n");
    line("Inside diameter        ", d.Din, " in\n");
    line("Core area              ", d.A, " in2\n");
    line("Relative permeability  ", d.ur, "\n");
    out += "\n    gap in    gap mm      L mH   turns    V/turn   B gauss\n";
}

void appendTableRow(std::string& out, const BallastDesign& d) {
    appendFixed(out, d.G, 10, 4);
    appendFixed(out, kMillimetresPerInch * d.G, 10, 3);
    appendFixed(out, MILLIHENRIES_PER_HENRY * d.L, 10, 1);
    appendFixed(out, d.N, 8, 0);
    appendFixed(out, d.VT, 10, 3);
    appendFixed(out, d.B, 10, 0);
    out += '\n';
}

// The shortest text of the inductance, which is the same in every row: worked
// out once for each new value rather than once a row.
void appendInductance(std::string& out, TrialRows& rows, double millihenries) {
    if (rows.inductanceText.empty() ||
        std::bit_cast<std::uint64_t>(rows.inductanceShown) != std::bit_cast<std::uint64_t>(millihenries)) {
        rows.inductanceShown = millihenries;
        rows.inductanceText.clear();
        appendShortest(rows.inductanceText, millihenries);
    }
    out += rows.inductanceText;
}

void appendCsvRow(std::string& out, TrialRows& rows, const BallastDesign& d) {
    appendShortest(out, d.G);
    out += ',';
    appendShortest(out, kMillimetresPerInch * d.G);
    out += ',';
    appendInductance(out, rows, MILLIHENRIES_PER_HENRY * d.L);
    out += ',';
    appendShortest(out, d.N);
    out += ',';
    appendShortest(out, d.VT);
    out += ',';
    appendShortest(out, d.B);
    out += "\r\n";  // RFC 4180's line end
}

nlohmann::ordered_json jsonInputs(const BallastDesign& d) {
    return {{"voltage_V", d.V},    {"current_A", d.I}, {"frequency_Hz", d.freq}, {"outside_in", d.Dout},
            {"inside_in", d.Din},  {"area_in2", d.A},  {"permeability", d.ur}};
}

nlohmann::ordered_json jsonTrial(const BallastDesign& d) {
    return {{"gap_in", d.G},
            {"gap_mm", kMillimetresPerInch * d.G},
            {"inductance_mH", MILLIHENRIES_PER_HENRY * d.L},
            {"turns", d.N},
            {"volts_per_turn", d.VT},
            {"flux_gauss", d.B}};
}

}  // namespace

void appendRowsHeader(std::string& out, const TrialRows& rows, const BallastDesign& design) {
    switch (rows.format) {
        case OutputFormat::Table: appendTableHeader(out, design); break;
        case OutputFormat::Csv: out += "gap_in,gap_mm,inductance_mH,turns,volts_per_turn,flux_gauss\r\n"; break;
        case OutputFormat::Json: out += "{\"inputs\":" + jsonInputs(design).dump() + ",\"trials\":["; break;
    }
}

void appendTrialRow(std::string& out, TrialRows& rows, const BallastDesign& design) {
    switch (rows.format) {
        case OutputFormat::Table: appendTableRow(out, design); break;
        case OutputFormat::Csv: appendCsvRow(out, rows, design); break;
        case OutputFormat::Json:
            if (rows.written > 0) out += ',';
            out += jsonTrial(design).dump();
            break;
    }
    ++rows.written;
}

void appendRowsFooter(std::string& out, const TrialRows& rows) {
    if (rows.format == OutputFormat::Json) out += "]}\n";
}

}  // namespace ballast
