#include "dialogue/dialogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "example_run.h"

namespace ballast {
namespace {

using namespace ballast::testing;

struct Conversation {
    bool trialShown;
    std::string out;
    std::string err;
    BallastDesign design;
};

Conversation converse(const std::string& input) {
    Console console = memoryConsole(input);
    Conversation run;
    run.trialShown = runDesignDialogue(console, run.design);
    run.out = keptOutput(console);
    run.err = keptMessages(console);
    return run;
}

const std::string kFixedAnswers = "120 1.2 60 4 2 1 2000 ";

TEST(Dialogue, ExampleRunWritesTheTranscriptExactly) {
    for (const std::string& input : {kExampleAnswers, std::string("120 1.2 60 4 2 1 2000 0.05 1 0.1 0"),
                                     std::string("\r\n 120\t1.2\n\n60 4 2 1 2000 0.05\n1 0.1 0 99 junk")}) {
        const Conversation run = converse(input);
        EXPECT_TRUE(run.trialShown);
        EXPECT_EQ(kExampleTranscript, run.out);
        EXPECT_EQ("", run.err);
        EXPECT_EQ(0.1, run.design.G);
        EXPECT_EQ(3.0, run.design.D);
    }
}

TEST(Dialogue, AnyTryAgainAnswerButZeroRunsAnotherTrial) {
    for (const char* retry : {"1", "2", "-1", "+7", "2147483648", "-0000001"}) {
        const Conversation run = converse(kFixedAnswers + "0.05 " + retry + " 0.1 0");
        EXPECT_EQ(kBanner + kFixedPrompts + kGapPrompt + kTrialGap005 + kTryAgainPrompt + kGapPrompt +
                      kTrialGap01 + kTryAgainPrompt,
                  run.out)
            << retry;
    }
    const Conversation stopped = converse(kFixedAnswers + "0.05 -0 0.1 0");
    EXPECT_EQ(kBanner + kFixedPrompts + kGapPrompt + kTrialGap005 + kTryAgainPrompt, stopped.out);
}

TEST(Dialogue, FractionalTryAgainLeavesItsFractionForTheNextGap) {
    const Conversation run = converse(kFixedAnswers + "0.05 1.5 0");
    const std::string firstTrial = kBanner + kFixedPrompts + kGapPrompt + kTrialGap005 + kTryAgainPrompt + kGapPrompt;
    EXPECT_EQ(firstTrial, run.out.substr(0, firstTrial.size()));
    EXPECT_EQ(0.5, run.design.G);
    EXPECT_EQ(kTryAgainPrompt, run.out.substr(run.out.size() - kTryAgainPrompt.size()));
    EXPECT_EQ("", run.err);
}

TEST(Dialogue, ZeroCurrentStillShowsItsResults) {
    const Conversation run = converse("120 0 60 4 2 1 2000 0.05 0");
    EXPECT_TRUE(run.trialShown);
    EXPECT_TRUE(std::isinf(run.design.L));
    EXPECT_NE(std::string::npos, run.out.find("Required Inductance      =   inf mh\n"
                                              "Required Number of Turns =   inf\n"
                                              "Volts per Turn           =   0.0 volts\n"));
}

TEST(Dialogue, AWordThatIsNotANumberIsReportedAndItsQuestionAskedAgain) {
    // At the first fixed question, at the gap, and at the try-again question.
    const Conversation run = converse("volts 120 1.2 60 4 2 1 2000 wide 0.05 yes 0");
    const std::string voltage = "\nBallast voltage (rms volts)?\n";
    EXPECT_EQ(kBanner + voltage + kFixedPrompts + kGapPrompt + kGapPrompt + kTrialGap005 + kTryAgainPrompt +
                  kTryAgainPrompt,
              run.out);
    EXPECT_EQ(
        "ballast: \"volts\" is not a number; please type a number\n"
        "ballast: \"wide\" is not a number; please type a number\n"
        "ballast: \"yes\" is not a number; please type a number\n",
        run.err);
    EXPECT_EQ(120, run.design.V);
    EXPECT_EQ(0.05, run.design.G);
}

TEST(Dialogue, EndOfInputBeforeTheFirstResultsIsAnError) {
    const std::string ended = "ballast: input ended before the first trial was complete\n";
    struct Case {
        std::string input;
        std::string err;
    };
    const Case cases[] = {
        {"", ended},
        {"120 1.2", ended},
        {kFixedAnswers, ended},
        {kFixedAnswers + "x", "ballast: \"x\" is not a number; please type a number\n" + ended},
    };
    for (const Case& c : cases) {
        const Conversation run = converse(c.input);
        EXPECT_FALSE(run.trialShown) << c.input;
        EXPECT_EQ(0u, run.out.find(kBanner));
        EXPECT_EQ(c.err, run.err) << c.input;
    }
}

TEST(Dialogue, EndOfInputAfterATrialEndsTheTrialsKeepingTheLastOne) {
    struct Case {
        const char* ending;
        double gap;
        double turns;
        const char* err;
    };
    const Case cases[] = {
        {"", 0.05, 674.1488692, ""},
        {" 1", 0.05, 674.1488692, ""},
        {" 1 0.1 1", 0.1, 932.6260, ""},
        {" 1 0.1 1 nope", 0.1, 932.6260, "ballast: \"nope\" is not a number; please type a number\n"},
    };
    for (const Case& c : cases) {
        const Conversation run = converse(kFixedAnswers + "0.05" + c.ending);
        EXPECT_TRUE(run.trialShown) << c.ending;
        EXPECT_EQ(c.gap, run.design.G) << c.ending;
        EXPECT_NEAR(c.turns, run.design.N, 1e-4) << c.ending;
        EXPECT_EQ(c.err, run.err) << c.ending;
    }
}

}  // namespace
}  // namespace ballast
