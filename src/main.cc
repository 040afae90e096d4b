// The ballast program: sizes the winding of a ballast inductor on a gapped
// toroidal core. With no arguments it converses on the console and leaves the
// last trial in the report file; with options it is a command-line tool that
// writes its rows to standard output.
#include <cstdio>
#include <cstring>

#include "command_line/command_line.h"
#include "console/console.h"
#include "console/standard_streams.h"
#include "dialogue/dialogue.h"
#include "report/report.h"

namespace {

int runDialogue(ballast::Console& console) {
    // The report is opened (and so emptied) before anything is asked.
    int error = 0;
    std::FILE* report = ballast::openDesignReport(error);
    if (report == nullptr) {
        ballast::writeMessage(console,
                              "cannot create report \"ballast_out.txt\": %s; the results are shown on the screen only",
                              std::strerror(error));
    }

    ballast::BallastDesign design;
    const bool trialShown = ballast::runDesignDialogue(console, design);

    if (report != nullptr) {
        error = trialShown ? ballast::writeDesignReport(report, design) : ballast::closeEmptyDesignReport(report);
        if (error != 0) ballast::writeMessage(console, "could not write report \"ballast_out.txt\": %s", std::strerror(error));
    }

    const bool consoleOk = ballast::finishConsole(console);
    return trialShown && report != nullptr && error == 0 && consoleOk ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    ballast::prepareStandardStreams();
    ballast::Console console = ballast::standardConsole();
    return argc > 1 ? ballast::runCommandLine(console, argc, argv) : runDialogue(console);
}
