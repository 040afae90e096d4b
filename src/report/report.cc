#include "report/report.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "design/number_format.h"
#include "design/result_lines.h"

namespace ballast {

std::FILE* openDesignReport(int& error) {
    // As fopen's "w" does, but without waiting for a FIFO's reader; once open,
    // the descriptor blocks again so that every write is whole.
    const int fd = ::open(kReportFileName, O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    std::FILE* f = nullptr;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != -1) f = ::fdopen(fd, "w");
    if (f == nullptr) {
        error = errno;
        ::close(fd);
    }
    return f;
}

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

int writeDesignReport(std::FILE* f, const BallastDesign& design) {
    const std::string text = designReportText(design);
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fflush(f) == 0;
    const int writeError = written ? 0 : errno;
    const int closeError = closeEmptyDesignReport(f);
    return writeError != 0 ? writeError : closeError;
}

int closeEmptyDesignReport(std::FILE* f) { return std::fclose(f) == 0 ? 0 : errno; }

}  // namespace ballast
