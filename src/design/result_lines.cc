#include "design/result_lines.h"

#include "design/number_format.h"

namespace ballast {

void writeResultLines(std::string& out, const BallastDesign& design, bool leadingEmptyLine) {
    if (leadingEmptyLine) out += '\n';
    out += "Required Inductance      = ";
    appendFixed(out, MILLIHENRIES_PER_HENRY * design.L, 5, 1);
    out += " mh\nRequired Number of Turns = ";
    appendFixed(out, design.N, 5, 0);
    out += "\nVolts per Turn           = ";
    appendFixed(out, design.VT, 5, 1);
    out += " volts\nPeak Flux Density        = ";
    appendFixed(out, design.B, 5, 0);
    out += " gauss\n";
}

}  // namespace ballast
