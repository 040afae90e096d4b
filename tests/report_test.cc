#include "report/report.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>

#include <filesystem>
#include <fstream>
#include <string>

#include "program_run.h"
#include "example_run.h"

namespace ballast {
namespace {

using namespace ballast::testing;

// The line of the report that starts with `label`.
std::string reportLine(const std::string& report, const std::string& label) {
    const std::size_t start = report.find(label);
    if (start == std::string::npos) return "";
    return report.substr(start, report.find('\n', start) - start);
}

TEST(DesignReportText, ExampleTrial) { EXPECT_EQ(kExampleReport, designReportText(exampleDesign(0.1))); }

TEST(DesignReportText, EnteredValuesAreRoundedHalfAwayFromZeroAndWidenTheirField) {
    struct Case {
        double BallastDesign::*field;
        double value;
        const char* line;
    };
    const Case cases[] = {
        {&BallastDesign::I, 2.5, "Ballast Current         =    3 Amps  rms"},
        {&BallastDesign::I, 0.5, "Ballast Current         =    1 Amps  rms"},
        {&BallastDesign::I, -0.5, "Ballast Current         =   -1 Amps  rms"},
        {&BallastDesign::G, 0.125, "GAP Size                = 0.13 inches"},
        {&BallastDesign::Dout, 1.25, "Outside Toroid Diameter =  1.3 inches"},
        {&BallastDesign::Din, 0.05, "Inside  Toroid Diameter =  0.1 inches"},
        {&BallastDesign::ur, 12000, "Relative Permeability   = 12000"},
        {&BallastDesign::V, 277.5, "Ballast Voltage         =  278 Volts rms"},
        {&BallastDesign::freq, 1e6, "Line Frequency          = 1000000 Hz"},
    };
    for (const Case& c : cases) {
        BallastDesign d = exampleDesign(0.1);
        d.*c.field = c.value;
        const std::string text = designReportText(d);
        const std::string label = std::string(c.line).substr(0, 24);
        EXPECT_EQ(c.line, reportLine(text, label)) << c.value;
    }
}

// The report file the program leaves in `folder`, or "(none)".
std::string reportIn(const TempFolder& folder) {
    const std::string path = folder.path + "/" + kReportFileName;
    return std::filesystem::exists(path) ? readFile(path) : "(none)";
}

ProgramRun runWithInput(const TempFolder& folder, const std::string& input) {
    ProgramSetup setup;
    setup.input = input;
    return runProgram(setup, folder.path);
}

TEST(ReportFile, HoldsTheLastCompletedTrialWheneverTheTrialsEnd) {
    const std::string fixed = "120 1.2 60 4 2 1 2000 ";
    struct Case {
        const char* name;
        std::string input;
        int status;
        std::string report;
    };
    const Case cases[] = {
        {"stopped with 0", kExampleAnswers, 0, kExampleReport},
        {"input ends at try again", fixed + "0.05 1 0.1", 0, kExampleReport},
        {"input ends at the next gap", fixed + "0.05 1 0.1 7", 0, kExampleReport},
        {"input ends before the first trial", fixed + "gap?", 1, ""},
        {"input ends at once", "", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        std::ofstream(folder.path + "/" + kReportFileName) << "an earlier run's report\n";
        const ProgramRun run = runWithInput(folder, c.input);
        EXPECT_EQ(c.status, run.exitStatus);
        EXPECT_EQ(c.report, reportIn(folder));
    }
}

TEST(ReportFile, TwoRunsInARowLeaveOnlyTheSecondsReport) {
    TempFolder folder;
    ASSERT_EQ(0, runWithInput(folder, "240 12.5 50 8 3.5 2 12000 0.125 0").exitStatus);
    const std::string first = reportIn(folder);
    EXPECT_EQ("Ballast Current         =   13 Amps  rms", reportLine(first, "Ballast Current"));
    EXPECT_EQ("Relative Permeability   = 12000", reportLine(first, "Relative Permeability"));
    EXPECT_EQ("GAP Size                = 0.13 inches", reportLine(first, "GAP Size"));
    ASSERT_EQ(0, runWithInput(folder, kExampleAnswers).exitStatus);
    EXPECT_EQ(kExampleReport, reportIn(folder));
}

TEST(ReportFile, AReportThatCannotBeCreatedOrWrittenIsAnError) {
    struct Case {
        const char* name;
        void (*prepare)(const std::string& path);
        std::string err;
    };
    const Case cases[] = {
        {"its name is taken by a folder", [](const std::string& path) { std::filesystem::create_directory(path); },
         "ballast: cannot create report \"ballast_out.txt\": Is a directory; the results are shown on the screen "
         "only\n"},
        {"it leads to a full disk",
         [](const std::string& path) { std::filesystem::create_symlink("/dev/full", path); },
         "ballast: could not write report \"ballast_out.txt\": No space left on device\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        c.prepare(folder.path + "/" + kReportFileName);
        const ProgramRun run = runWithInput(folder, kExampleAnswers);
        EXPECT_EQ(1, run.exitStatus);
        EXPECT_EQ(kExampleTranscript, run.out);  // the conversation is unchanged
        EXPECT_EQ(c.err, run.err);
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path)) ++entries;
        EXPECT_EQ(1u, entries);  // nothing else was created
    }
}

}  // namespace
}  // namespace ballast

namespace ballast {
namespace {

using namespace ballast::testing;

TEST(ReportFile, IsEmptiedBeforeTheFirstQuestionIsAnswered) {
    TempFolder folder;
    const std::string path = folder.path + "/" + kReportFileName;
    std::ofstream(path) << "an earlier run's report\n";
    int toProgram[2];
    int fromProgram[2];
    ASSERT_EQ(0, ::pipe(toProgram));
    ASSERT_EQ(0, ::pipe(fromProgram));
    const int devNull = ::open("/dev/null", O_WRONLY);
    const pid_t child = startProgram(folder.path, toProgram[0], fromProgram[1], devNull);
    ::close(toProgram[0]);
    ::close(fromProgram[1]);
    ::close(devNull);
    const std::string firstQuestion = kBanner + "\nBallast voltage (rms volts)?\n";
    std::string shown(firstQuestion.size(), '\0');
    ASSERT_EQ(static_cast<ssize_t>(shown.size()), ::read(fromProgram[0], shown.data(), shown.size()));
    EXPECT_EQ(firstQuestion, shown);
    ASSERT_TRUE(awaitAsleep(child));  // waiting for the first answer
    EXPECT_EQ("", readFile(path));
    ::close(toProgram[1]);
    ::close(fromProgram[0]);
    EXPECT_EQ(1, awaitExit(child));
}

TEST(ReportFile, TheCannotCreateMessageComesBeforeTheBanner) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path + "/" + kReportFileName);
    ProgramSetup setup;
    setup.input = kExampleAnswers;
    setup.mergeOutput = true;
    const ProgramRun run = runProgram(setup, folder.path);
    EXPECT_EQ(1, run.exitStatus);
    EXPECT_EQ("ballast: cannot create report \"ballast_out.txt\": Is a directory; the results are shown on the screen "
              "only\n" + kExampleTranscript,
              run.err);
}

TEST(ReportFile, AFifoIsWrittenWhenItHasAReaderAndNeverWaitedFor) {
    for (const bool withReader : {false, true}) {
        SCOPED_TRACE(withReader ? "with a reader" : "without a reader");
        TempFolder folder;
        const std::string path = folder.path + "/" + kReportFileName;
        ASSERT_EQ(0, ::mkfifo(path.c_str(), 0644));
        const int reader = withReader ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        ProgramSetup setup;
        setup.input = kExampleAnswers;
        const ProgramRun run = runProgram(setup, folder.path);
        EXPECT_EQ(kExampleTranscript, run.out);
        if (withReader) {
            EXPECT_EQ(0, run.exitStatus);
            EXPECT_EQ("", run.err);
            std::string report(kExampleReport.size() + 1, '\0');
            report.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, report.data(), report.size()))));
            EXPECT_EQ(kExampleReport, report);
            ::close(reader);
        } else {
            EXPECT_EQ(1, run.exitStatus);
            EXPECT_EQ("ballast: cannot create report \"ballast_out.txt\": No such device or address; the results are "
                      "shown on the screen only\n",
                      run.err);
        }
    }
}

TEST(ReportFile, AFileSizeLimitIsAWriteErrorNotASignal) {
    TempFolder folder;
    ProgramSetup setup;
    setup.input = kExampleAnswers;
    setup.stdoutPath = "/dev/null";
    setup.fileSizeLimit = 200;  // below the report's size, above the message's
    const ProgramRun run = runProgram(setup, folder.path);
    EXPECT_EQ(1, run.exitStatus);
    EXPECT_EQ("ballast: could not write report \"ballast_out.txt\": File too large\n", run.err);
}

TEST(WriteDesignReport, AFailingCloseIsAnError) {
    cookie_io_functions_t failingClose{};
    failingClose.write = [](void*, const char*, std::size_t size) -> ssize_t { return static_cast<ssize_t>(size); };
    failingClose.close = [](void*) {
        errno = EIO;
        return -1;
    };
    std::FILE* f = ::fopencookie(nullptr, "w", failingClose);
    ASSERT_NE(nullptr, f);
    EXPECT_EQ(EIO, writeDesignReport(f, exampleDesign(0.1)));
}

}  // namespace
}  // namespace ballast
