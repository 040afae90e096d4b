// The ballast program: sizes the winding of a ballast inductor on a gapped
// toroidal core, conversing on the console, and leaves the last trial in the
// report file.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "dialogue/console.h"
#include "dialogue/dialogue.h"
#include "report/report.h"

namespace {

std::string reportProblem(const char* what) {
    return std::string(what) + " report \"" + ballast::kReportFileName + "\": " + std::strerror(errno);
}

}  // namespace

int main() {
    ballast::Console console = ballast::standardConsole();

    // The report is opened (and so emptied) before anything is asked.
    std::FILE* report = ballast::openDesignReport();
    if (report == nullptr) {
        ballast::writeMessage(console, reportProblem("cannot create") + "; the results are shown on the screen only");
    }

    ballast::BallastDesign design;
    const bool trialShown = ballast::runDesignDialogue(console, design);

    bool reportWritten = false;
    if (report != nullptr) {
        if (trialShown) {
            reportWritten = ballast::writeDesignReport(report, design);
            if (!reportWritten) ballast::writeMessage(console, reportProblem("could not write"));
        } else {
            std::fclose(report);  // no trial: the report stays empty
        }
    }

    const bool consoleOk = ballast::finishConsole(console);
    return trialShown && reportWritten && consoleOk ? 0 : 1;
}
