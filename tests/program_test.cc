// End-to-end runs of the built program: what reaches standard output and
// standard error, and the exit status.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "program_run.h"
#include "example_run.h"

namespace ballast::testing {
namespace {

const std::string kFixedAnswers = "120 1.2 60 4 2 1 2000 ";
const std::string kNotANumber = " is not a number; please type a number\n";
const std::string kEndedEarly = "ballast: input ended before the first trial was complete\n";

TEST(Program, ConversationsEndWithTheRightStatusAndMessages) {
    struct Case {
        std::string name;
        std::string input;
        int status;
        std::string out;  // the whole of standard output
        std::string err;
    };
    const std::string twoTrials = kBanner + kFixedPrompts + kGapPrompt + kTrialGap005 + kTryAgainPrompt +
                                  kGapPrompt + kTrialGap01 + kTryAgainPrompt;
    const std::string oneTrial = kBanner + kFixedPrompts + kGapPrompt + kTrialGap005 + kTryAgainPrompt;
    const Case cases[] = {
        {"example, a line each", kExampleAnswers, 0, kExampleTranscript, ""},
        {"example, all on one line", "120 1.2 60 4 2 1 2000 0.05 1 0.1 0", 0, kExampleTranscript, ""},
        {"try again 2 and -1", kFixedAnswers + "0.05 2 0.05 -1 0.1 0", 0,
         oneTrial + kGapPrompt + kTrialGap005 + kTryAgainPrompt + kGapPrompt + kTrialGap01 + kTryAgainPrompt, ""},
        {"try again 1.5 answers the next gap with .5", kFixedAnswers + "0.1 1.5 0", 0,
         kBanner + kFixedPrompts + kGapPrompt + kTrialGap01 + kTryAgainPrompt + kGapPrompt +
             "\nRequired Inductance      = 265.3 mh\n"
             "Required Number of Turns =  2048\n"
             "Volts per Turn           =   0.1 volts\n"
             "Peak Flux Density        =  3407 gauss\n" +
             kTryAgainPrompt,
         ""},
        {"a word at a fixed question and at try again", "120 1.2 60 4 2 1 lots 2000 0.05 maybe 1 0.1 0", 0,
         kBanner + kFixedPrompts + "\nRelative magnetic permeability of core material?\n" + kGapPrompt +
             kTrialGap005 + kTryAgainPrompt + kTryAgainPrompt + kGapPrompt + kTrialGap01 + kTryAgainPrompt,
         "ballast: \"lots\"" + kNotANumber + "ballast: \"maybe\"" + kNotANumber},
        {"input ends at the first question", "", 1, kBanner + "\nBallast voltage (rms volts)?\n", kEndedEarly},
        {"input ends at the first gap", kFixedAnswers, 1, kBanner + kFixedPrompts + kGapPrompt, kEndedEarly},
        {"input ends at try again", kFixedAnswers + "0.05\n", 0, oneTrial, ""},
        {"input ends at the second gap", kFixedAnswers + "0.05 1", 0, oneTrial + kGapPrompt, ""},
        {"same answers in a German locale", kExampleAnswers, 0, kExampleTranscript, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ProgramSetup setup{};
        setup.input = c.input;
        if (c.name.find("German") != std::string::npos) setup.env = {"LC_ALL=de_DE.UTF-8", "LANG=de_DE.UTF-8"};
        const ProgramRun run = runProgram(setup, folder.path);
        EXPECT_EQ(c.status, run.exitStatus);
        EXPECT_EQ(c.out, run.out);
        EXPECT_EQ(c.err, run.err);
    }
}

TEST(Program, ZeroCurrentShowsInfinitiesAndEndsNormally) {
    TempFolder folder;
    ProgramSetup setup;
    setup.input = "120 0 60 4 2 1 2000 0.05 0";
    const ProgramRun run = runProgram(setup, folder.path);
    EXPECT_EQ(0, run.exitStatus);
    EXPECT_NE(std::string::npos, run.out.find("\nRequired Inductance      =   inf mh\n"
                                              "Required Number of Turns =   inf\n"
                                              "Volts per Turn           =   0.0 volts\n"
                                              "Peak Flux Density        =  "));
    EXPECT_NE(std::string::npos, run.out.find("nan gauss\n"));
}

TEST(Program, StandardOutputThatCannotBeWrittenFailsLoudly) {
    ProgramSetup full;
    full.stdoutPath = "/dev/full";
    ProgramSetup closed;
    closed.closeStdout = true;
    ProgramSetup broken;
    broken.stdoutBrokenPipe = true;
    struct Case {
        const char* name;
        ProgramSetup setup;
        const char* reason;
    };
    const Case cases[] = {
        {"a full disk", full, "No space left on device"},
        {"a closed descriptor", closed, "Bad file descriptor"},
        {"a pipe nobody reads", broken, "Broken pipe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ProgramSetup setup = c.setup;
        setup.input = kExampleAnswers;
        const ProgramRun run = runProgram(setup, folder.path);
        EXPECT_EQ(1, run.exitStatus);
        EXPECT_EQ(std::string("ballast: write error on standard output: ") + c.reason + "\n", run.err);
        // The conversation stopped at the failure, before any trial, and none
        // of the screen's text strayed into the report.
        EXPECT_EQ("", readFile(folder.path + "/ballast_out.txt"));
    }
}

TEST(Program, StandardInputThatCannotBeReadIsAnError) {
    TempFolder folder;
    ProgramSetup setup;
    setup.stdinPath = folder.path;  // a folder opens, but does not read
    const ProgramRun run = runProgram(setup, folder.path);
    EXPECT_EQ(1, run.exitStatus);
    EXPECT_EQ(kBanner + "\nBallast voltage (rms volts)?\n", run.out);
    EXPECT_EQ("ballast: read error on standard input: Is a directory\n" + kEndedEarly, run.err);
}

// Reads from `fd` until `expected` has arrived, failing if the program stops
// writing for long: it would then be waiting for an answer to a question it
// has not shown.
bool awaitText(int fd, const std::string& expected, std::string& received) {
    while (received.size() < expected.size()) {
        pollfd ready = {fd, POLLIN, 0};
        if (::poll(&ready, 1, 10000) != 1) return false;
        char chunk[4096];
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got <= 0) return false;
        received.append(chunk, static_cast<std::size_t>(got));
    }
    return received == expected;
}

TEST(Program, EachQuestionArrivesBeforeItsAnswerIsAwaited) {
    ::signal(SIGPIPE, SIG_IGN);  // a program that ended early fails the test, not kills it
    int toProgram[2];
    int fromProgram[2];
    ASSERT_EQ(0, ::pipe(toProgram));
    ASSERT_EQ(0, ::pipe(fromProgram));
    // Handed over non-blocking, the input must still be waited for, not failed on.
    ::fcntl(toProgram[0], F_SETFL, ::fcntl(toProgram[0], F_GETFL) | O_NONBLOCK);
    TempFolder folder;
    const pid_t child = startProgram(folder.path, toProgram[0], fromProgram[1], 2);
    ::close(toProgram[0]);
    ::close(fromProgram[1]);

    // Each answer goes out only once everything before it has been read.
    const std::string steps[][2] = {
        {kBanner + "\nBallast voltage (rms volts)?\n", "120\n"},
        {"\nBallast current (rms amps)?\n", "1.2\n"},
        {"\nLine Frequency (Hz)?\n", "60\n"},
        {"\nOutside toroid diameter (inches)?\n", "4\n"},
        {"\nInside toroid diameter (inches)?\n", "2\n"},
        {"\nCross sectional area of toroid core (square inches)?\n", "1\n"},
        {"\nRelative magnetic permeability of core material?\n", "2000\n"},
        {kGapPrompt, "0.05\n"},
        {kTrialGap005 + kTryAgainPrompt, "1\n"},
        {kGapPrompt, "0.1\n"},
        {kTrialGap01 + kTryAgainPrompt, "0\n"},
    };
    std::string received;
    std::string expected;
    for (const auto& step : steps) {
        expected += step[0];
        ASSERT_TRUE(awaitText(fromProgram[0], expected, received)) << "stalled after:\n" << received;
        // The program is waiting on its empty, non-blocking input before the
        // answer is written, every time.
        ASSERT_TRUE(awaitAsleep(child));
        ASSERT_EQ(static_cast<ssize_t>(step[1].size()), ::write(toProgram[1], step[1].data(), step[1].size()));
    }
    ::close(toProgram[1]);
    char rest[64];
    EXPECT_EQ(0, ::read(fromProgram[0], rest, sizeof rest));
    ::close(fromProgram[0]);
    EXPECT_EQ(0, awaitExit(child));
    EXPECT_EQ(kExampleTranscript, received);
}

}  // namespace
}  // namespace ballast::testing
