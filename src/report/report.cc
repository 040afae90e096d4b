#include "report/report.h"

#include <cerrno>

#include "design/number_format.h"
#include "design/result_lines.h"

namespace ballast {

std::FILE* openDesignReport() { return std::fopen(kReportFileName, "w"); }

std::string designReportText(const BallastDesign& d) {
    std::string text = "\n\n******************** BALLAST DATA ********************\n\n";
    auto line = [&text](const char* label, double value, int decimals, const char* unit) {
        text += label;
        appendFixed(text, value, 4, decimals);
        text += unit;
    };
    line("Ballast Voltage         = ", d.V, 0, " Volts rms\n");
    line("Ballast Current         = ", d.I, 0, " Amps  rms\n");
    line("Line Frequency          = ", d.freq, 0, " Hz\n");
    line("Outside Toroid Diameter = ", d.Dout, 1, " inches\n");
    line("Inside  Toroid Diameter = ", d.Din, 1, " inches\n");
    line("Toroid Core Area        = ", d.A, 1, " square inches\n");
    line("Relative Permeability   = ", d.ur, 0, "\n\n");
    line("GAP Size                = ", d.G, 2, " inches\n");
    text += "\n********************** RESULTS **********************\n\n";
    writeResultLines(text, d, false);
    return text;
}

bool writeDesignReport(std::FILE* f, const BallastDesign& design) {
    const std::string text = designReportText(design);
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fflush(f) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written) errno = writeError;
    return written && closed;
}

}  // namespace ballast
