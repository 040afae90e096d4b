// End-to-end runs of the built program at the edges of its standard streams:
// descriptors that are closed, non-blocking, hung up or shared, and input that
// begins with a byte-order mark.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "example_run.h"
#include "program_run.h"
#include "report/report.h"

namespace ballast::testing {
namespace {

const std::string kFixedAnswers = "120 1.2 60 4 2 1 2000 ";
const std::string kEndedEarly = "ballast: input ended before the first trial was complete\n";

// Reads from `fd` until it has `size` bytes or the writer closes it.
std::string readUpTo(int fd, std::size_t size) {
    std::string text;
    char chunk[65536];
    while (text.size() < size) {
        const ssize_t got = ::read(fd, chunk, std::min(sizeof chunk, size - text.size()));
        if (got <= 0) break;
        text.append(chunk, static_cast<std::size_t>(got));
    }
    return text;
}

TEST(StandardStreams, AMessageStandsAfterTheQuestionItAnswersInASharedFile) {
    TempFolder folder;
    ProgramSetup setup;
    setup.mergeOutput = true;
    setup.input = "120 1.2 60 4 2 1 lots 2000 0.05 0";
    const ProgramRun run = runProgram(setup, folder.path);
    EXPECT_EQ(0, run.exitStatus);
    EXPECT_EQ(kBanner + kFixedPrompts + "ballast: \"lots\" is not a number; please type a number\n" +
                  "\nRelative magnetic permeability of core material?\n" + kGapPrompt + kTrialGap005 + kTryAgainPrompt,
              run.err);
}

TEST(StandardStreams, ANonBlockingOutputWithALateReaderGetsEveryByte) {
    std::string input = kFixedAnswers;
    std::string expected = kBanner + kFixedPrompts;
    for (int i = 0; i < 12000; ++i) {  // some 2.4 MB, past the largest pipe buffer the program asks for
        input += "0.05 1 ";
        expected += kGapPrompt + kTrialGap005 + kTryAgainPrompt;
    }
    input += "0.1 0";
    expected += kGapPrompt + kTrialGap01 + kTryAgainPrompt;

    TempFolder folder;
    const std::string inputPath = folder.path + "/.stdin";
    ASSERT_EQ(0, std::system(("printf '%s' '" + input + "' > " + inputPath).c_str()));
    const int in = ::open(inputPath.c_str(), O_RDONLY);
    int out[2];
    ASSERT_EQ(0, ::pipe(out));
    ::fcntl(out[1], F_SETFL, ::fcntl(out[1], F_GETFL) | O_NONBLOCK);
    const pid_t child = startProgram(folder.path, in, out[1], 2);
    ::close(in);
    ::close(out[1]);
    ASSERT_TRUE(awaitAsleep(child));  // the pipe is full: the program waits on it
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::string received = readUpTo(out[0], expected.size() + 1);
    ::close(out[0]);
    EXPECT_EQ(0, awaitExit(child));
    EXPECT_EQ(expected.size(), received.size());
    EXPECT_TRUE(expected == received);
}

TEST(StandardStreams, AHungUpTerminalAfterATrialFailsTheRunButKeepsTheTrial) {
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(0, ::grantpt(terminal));
    ASSERT_EQ(0, ::unlockpt(terminal));
    const int answers = ::open(::ptsname(terminal), O_RDONLY | O_NOCTTY);
    ASSERT_GE(answers, 0);
    TempFolder folder;
    const std::string outPath = folder.path + "/.stdout";
    const std::string errPath = folder.path + "/.stderr";
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const pid_t child = startProgram(folder.path, answers, out, err);
    ::close(answers);
    ::close(out);
    ::close(err);

    const std::string typed = kFixedAnswers + "0.05\n";
    ASSERT_EQ(static_cast<ssize_t>(typed.size()), ::write(terminal, typed.data(), typed.size()));
    const std::string shown = kBanner + kFixedPrompts + kGapPrompt + kTrialGap005 + kTryAgainPrompt;
    for (int i = 0; i < 2000 && readFile(outPath) != shown; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(awaitAsleep(child));
    ::close(terminal);  // hangs up: the next read fails

    EXPECT_EQ(1, awaitExit(child));
    EXPECT_EQ(shown, readFile(outPath));
    EXPECT_EQ("ballast: read error on standard input: Input/output error\n", readFile(errPath));
    EXPECT_EQ(designReportText(exampleDesign(0.05)), readFile(folder.path + "/ballast_out.txt"));
}

TEST(StandardStreams, AClosedStandardInputIsAReadError) {
    TempFolder folder;
    ProgramSetup setup;
    setup.closeStdin = true;
    const ProgramRun run = runProgram(setup, folder.path);
    EXPECT_EQ(1, run.exitStatus);
    EXPECT_EQ(kBanner + "\nBallast voltage (rms volts)?\n", run.out);
    EXPECT_EQ("ballast: read error on standard input: Bad file descriptor\n" + kEndedEarly, run.err);
}

TEST(StandardStreams, AByteOrderMarkAtTheStartOfTheInputIsSkipped) {
    struct Case {
        std::string input;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF" + kExampleAnswers, 0, ""},
        {"\xEF\xBB\xBF\r\n" + kExampleAnswers, 0, ""},
        // Only at the very start: elsewhere it is a word that is not a number.
        {"120 \xEF\xBB\xBF " + kExampleAnswers.substr(4), 0,
         "ballast: \"???\" is not a number; please type a number\n"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        ProgramSetup setup;
        setup.input = c.input;
        const ProgramRun run = runProgram(setup, folder.path);
        EXPECT_EQ(c.status, run.exitStatus);
        EXPECT_EQ(c.err, run.err);
        if (c.err.empty()) {
            EXPECT_EQ(kExampleTranscript, run.out);
        }
        EXPECT_EQ(kExampleReport, readFile(folder.path + "/ballast_out.txt"));
    }
}

TEST(StandardStreams, OutputFailingAfterATrialEndsTheRunAtOnceKeepingTheTrial) {
    ::signal(SIGPIPE, SIG_IGN);
    int toProgram[2];
    int fromProgram[2];
    ASSERT_EQ(0, ::pipe(toProgram));
    ASSERT_EQ(0, ::pipe(fromProgram));
    TempFolder folder;
    const std::string errPath = folder.path + "/.stderr";
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const pid_t child = startProgram(folder.path, toProgram[0], fromProgram[1], err);
    ::close(toProgram[0]);
    ::close(fromProgram[1]);
    ::close(err);

    const std::string typed = kFixedAnswers + "0.05\n";
    ASSERT_EQ(static_cast<ssize_t>(typed.size()), ::write(toProgram[1], typed.data(), typed.size()));
    const std::string shown = kBanner + kFixedPrompts + kGapPrompt + kTrialGap005 + kTryAgainPrompt;
    EXPECT_EQ(shown, readUpTo(fromProgram[0], shown.size()));
    ::close(fromProgram[0]);  // the reader leaves
    // Another trial is asked for; its question cannot be shown, and the input
    // stays open: the program must end without waiting for it.
    ASSERT_EQ(2, ::write(toProgram[1], "1\n", 2));

    EXPECT_EQ(1, awaitExit(child, 10));
    ::close(toProgram[1]);
    EXPECT_EQ("ballast: write error on standard output: Broken pipe\n", readFile(errPath));
    EXPECT_EQ(designReportText(exampleDesign(0.05)), readFile(folder.path + "/ballast_out.txt"));
}

}  // namespace
}  // namespace ballast::testing
