#include "command_line/trial_rows.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include <nlohmann/json.hpp>

#include "design/number_format.h"
#include "winding/winding.h"

namespace ballast {
namespace {

constexpr double kMillimetresPerInch = 25.4;

// The shortest text that reads back as the same double.
void appendShortest(std::string& out, double value) {
    char text[32];
    out.append(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text));
}

// A csv row built in place: each field is converted straight into the line,
// which is appended to the output in one piece.
struct CsvLine {
    char text[640];  // room for 18 fields of at most 32 characters
    char* end = text;

    void number(double value) { end = std::to_chars(end, text + sizeof text, value).ptr; }
    // A later field: a comma, then the shortest text, or nothing for a value
    // that is not there.
    void field(double value) {
        *end++ = ',';
        if (!std::isnan(value)) number(value);
    }
    void field(bool value) { append(value ? ",true" : ",false"); }
    void append(std::string_view piece) { end = std::copy(piece.begin(), piece.end(), end); }
};

double percentOfBsat(const TrialRows& rows, const BallastDesign& d) { return 100 * d.B / rows.Bsat; }
bool saturates(const TrialRows& rows, const BallastDesign& d) { return d.B >= rows.Bsat; }

void appendTableHeader(std::string& out, const TrialRows& rows, const BallastDesign& d) {
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
    if (rows.withBsat) line("Saturation flux        ", rows.Bsat, " gauss\n");
    out += "\n    gap in    gap mm      L mH   turns    V/turn   B gauss";
    out += rows.withBsat ? "  % Bsat\n" : "\n";
}

void appendTableRow(std::string& out, const TrialRows& rows, const BallastDesign& d) {
    appendFixed(out, d.G, 10, 4);
    appendFixed(out, kMillimetresPerInch * d.G, 10, 3);
    appendFixed(out, MILLIHENRIES_PER_HENRY * d.L, 10, 1);
    appendFixed(out, d.N, 8, 0);
    appendFixed(out, d.VT, 10, 3);
    appendFixed(out, d.B, 10, 0);
    if (rows.withBsat) {
        appendFixed(out, percentOfBsat(rows, d), 8, 1);
        if (saturates(rows, d)) out += "  SATURATES";
    }
    out += '\n';
}

// The shortest text of the inductance, which is the same in every row: worked
// out once for each new value rather than once a row.
const std::string& inductanceText(TrialRows& rows, double millihenries) {
    if (rows.inductanceText.empty() ||
        std::bit_cast<std::uint64_t>(rows.inductanceShown) != std::bit_cast<std::uint64_t>(millihenries)) {
        rows.inductanceShown = millihenries;
        rows.inductanceText.clear();
        appendShortest(rows.inductanceText, millihenries);
    }
    return rows.inductanceText;
}

void appendCsvHeader(std::string& out, const TrialRows& rows) {
    out += "gap_in,gap_mm,inductance_mH,turns,volts_per_turn,flux_gauss";
    if (rows.withBsat) out += ",flux_percent_of_bsat,saturates";
    if (rows.winding.wanted) {
        out += ",awg,wire_diameter_in,turns_wound,layers,fill_percent,fits,wire_length_ft,resistance_ohm,"
               "copper_loss_W,voltage_drop_V";
    }
    out += "\r\n";  // RFC 4180's line end
}

void appendCsvRow(std::string& out, TrialRows& rows, const BallastDesign& d) {
    CsvLine line;
    line.number(d.G);
    line.field(kMillimetresPerInch * d.G);
    line.append(",");
    line.append(inductanceText(rows, MILLIHENRIES_PER_HENRY * d.L));
    line.field(d.N);
    line.field(d.VT);
    line.field(d.B);
    if (rows.withBsat) {
        line.field(percentOfBsat(rows, d));
        line.field(saturates(rows, d));
    }
    if (rows.winding.wanted) {
        const Wire& wire = rows.winding.wire;
        const Winding w = computeWinding(d, wire, rows.winding.maxFillPercent);
        line.field(wire.awg < 0 ? std::nan("") : static_cast<double>(wire.awg));
        line.field(wire.insulated);
        line.field(w.turnsWound);
        line.field(w.layers == 0 ? std::nan("") : static_cast<double>(w.layers));
        line.field(w.fillPercent);
        line.field(w.fits);
        line.field(w.lengthFeet);
        line.field(w.resistance);
        line.field(w.copperLoss);
        line.field(w.voltageDrop);
    }
    line.append("\r\n");
    out.append(line.text, static_cast<std::size_t>(line.end - line.text));
}

nlohmann::ordered_json jsonInputs(const TrialRows& rows, const BallastDesign& d) {
    nlohmann::ordered_json inputs = {{"voltage_V", d.V},   {"current_A", d.I}, {"frequency_Hz", d.freq},
                                     {"outside_in", d.Dout}, {"inside_in", d.Din}, {"area_in2", d.A},
                                     {"permeability", d.ur}};
    if (rows.withBsat) inputs["bsat_gauss"] = rows.Bsat;
    return inputs;
}

nlohmann::ordered_json jsonTrial(const TrialRows& rows, const BallastDesign& d) {
    nlohmann::ordered_json trial = {{"gap_in", d.G},
                                    {"gap_mm", kMillimetresPerInch * d.G},
                                    {"inductance_mH", MILLIHENRIES_PER_HENRY * d.L},
                                    {"turns", d.N},
                                    {"volts_per_turn", d.VT},
                                    {"flux_gauss", d.B}};
    if (rows.withBsat) {
        trial["flux_percent_of_bsat"] = percentOfBsat(rows, d);
        trial["saturates"] = saturates(rows, d);
    }
    if (rows.winding.wanted) {
        const Wire& wire = rows.winding.wire;
        const Winding w = computeWinding(d, wire, rows.winding.maxFillPercent);
        trial["awg"] = wire.awg < 0 ? nlohmann::ordered_json() : nlohmann::ordered_json(wire.awg);
        trial["wire_diameter_in"] = wire.insulated;
        trial["turns_wound"] = w.turnsWound;
        trial["layers"] = w.layers == 0 ? nlohmann::ordered_json() : nlohmann::ordered_json(w.layers);
        trial["fill_percent"] = w.fillPercent;
        trial["fits"] = w.fits;
        trial["wire_length_ft"] = w.lengthFeet;  // NaN is written as null
        trial["resistance_ohm"] = w.resistance;
        trial["copper_loss_W"] = w.copperLoss;
        trial["voltage_drop_V"] = w.voltageDrop;
    }
    return trial;
}

void appendTableTrim(std::string& out, const TrimResult& t) {
    out += "\nTrim: a winding of ";
    appendShortest(out, t.request->wound);
    out += " turns measured ";
    appendShortest(out, t.request->measuredMillihenries);
    out += " mH\n  turns for ";
    appendFixed(out, t.requiredMillihenries, 0, 1);
    out += " mH  ";
    appendFixed(out, t.trim.turns, 9, 0);
    out += "\n  effective gap    ";
    appendFixed(out, t.trim.effectiveGap, 11, 4);
    out += " in\n";
}

}  // namespace

TrialRows trialRowsFor(const CommandLineRequest& request) {
    TrialRows rows;
    rows.format = request.format;
    rows.withBsat = request.withBsat;
    rows.Bsat = request.Bsat;
    rows.winding = request.winding;
    return rows;
}

void appendRowsHeader(std::string& out, const TrialRows& rows, const BallastDesign& design) {
    switch (rows.format) {
        case OutputFormat::Table: appendTableHeader(out, rows, design); break;
        case OutputFormat::Csv: appendCsvHeader(out, rows); break;
        case OutputFormat::Json: out += "{\"inputs\":" + jsonInputs(rows, design).dump() + ",\"trials\":["; break;
    }
}

void appendTrialRow(std::string& out, TrialRows& rows, const BallastDesign& design) {
    switch (rows.format) {
        case OutputFormat::Table: appendTableRow(out, rows, design); break;
        case OutputFormat::Csv: appendCsvRow(out, rows, design); break;
        case OutputFormat::Json:
            if (rows.written > 0) out += ',';
            out += jsonTrial(rows, design).dump();
            break;
    }
    ++rows.written;
}

void appendWindingHeader(std::string& out) {
    out += "\n    gap in  AWG wire in  wound  layers  fill %  fits length ft     ohms  loss W\n";
}

void appendWindingRow(std::string& out, const TrialRows& rows, const BallastDesign& d) {
    const Wire& wire = rows.winding.wire;
    const Winding w = computeWinding(d, wire, rows.winding.maxFillPercent);
    appendFixed(out, d.G, 10, 4);
    if (wire.awg < 0) {
        out += "    -";
    } else {
        appendFixed(out, wire.awg, 5, 0);
    }
    appendFixed(out, wire.insulated, 8, 4);
    appendFixed(out, w.turnsWound, 7, 0);
    if (w.layers == 0) {
        out += "    none";
    } else {
        appendFixed(out, w.layers, 8, 0);
    }
    appendFixed(out, w.fillPercent, 8, 1);
    out += w.fits ? "   yes" : "    no";
    if (w.layers != 0) {
        appendFixed(out, w.lengthFeet, 10, 1);
        appendFixed(out, w.resistance, 9, 3);
        appendFixed(out, w.copperLoss, 8, 2);
    }
    out += '\n';
}

std::string trimSummary(const TrimResult& t) {
    std::string line;
    appendShortest(line, t.request->wound);
    line += " turns measured ";
    appendShortest(line, t.request->measuredMillihenries);
    line += " mH: wind ";
    appendFixed(line, t.trim.turns, 0, 0);
    line += " turns for ";
    appendFixed(line, t.requiredMillihenries, 0, 1);
    line += " mH; effective gap ";
    appendFixed(line, t.trim.effectiveGap, 0, 4);
    line += " in";
    return line;
}

void appendRowsFooter(std::string& out, const TrialRows& rows, const TrimResult* trim) {
    if (rows.format == OutputFormat::Table && trim != nullptr) appendTableTrim(out, *trim);
    if (rows.format != OutputFormat::Json) return;
    out += ']';
    if (trim != nullptr) {
        const nlohmann::ordered_json object = {{"measured_mH", trim->request->measuredMillihenries},
                                               {"wound", trim->request->wound},
                                               {"turns", trim->trim.turns},
                                               {"effective_gap_in", trim->trim.effectiveGap}};
        out += ",\"trim\":" + object.dump();
    }
    out += "}\n";
}

}  // namespace ballast
