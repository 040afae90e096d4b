#include "dialogue/dialogue.h"

#include <string>
#include <string_view>

#include "dialogue/answer_reader.h"
#include "design/result_lines.h"

namespace ballast {
namespace {

constexpr std::string_view kBanner = "*********************** INPUT BALLAST DATA ***********************\n";
constexpr std::string_view kGapPrompt = "\nGAP size (inches)?\n";
constexpr std::string_view kTryAgainPrompt = "\nTry Again?    (0=NO   1=YES)\n";

struct FixedQuestion {
    std::string_view prompt;
    double BallastDesign::*field;
};

constexpr FixedQuestion kFixedQuestions[] = {
    {"\nBallast voltage (rms volts)?\n", &BallastDesign::V},
    {"\nBallast current (rms amps)?\n", &BallastDesign::I},
    {"\nLine Frequency (Hz)?\n", &BallastDesign::freq},
    {"\nOutside toroid diameter (inches)?\n", &BallastDesign::Dout},
    {"\nInside toroid diameter (inches)?\n", &BallastDesign::Din},
    {"\nCross sectional area of toroid core (square inches)?\n", &BallastDesign::A},
    {"\nRelative magnetic permeability of core material?\n", &BallastDesign::ur},
};

// Writes `prompt` and reads its answer into `value`, asking again after every
// word that is not a number. Returns false when the input has ended or
// standard output has failed; `value` is then untouched.
template <typename Number, typename Reader>
bool ask(Console& console, std::string_view prompt, Number& value, Reader read) {
    std::string word;
    for (;;) {
        if (outputFailed(console)) return false;
        writeText(console, prompt);
        switch (read(console, value, word)) {
            case AnswerRead::Number:
                return true;
            case AnswerRead::Ended:
                return false;
            case AnswerRead::NotANumber:
                writeMessage(console, "\"%s\" is not a number; please type a number", word.c_str());
                break;
        }
    }
}

// Asks the seven quantities that stay fixed for the run, then derives the
// mean diameter. Returns false when the input ended first.
bool askFixedQuantities(Console& console, BallastDesign& design) {
    for (const FixedQuestion& question : kFixedQuestions) {
        if (!ask(console, question.prompt, design.*question.field, readDoubleAnswer)) return false;
    }
    design.D = computeMeanDiameter(design.Din, design.Dout);
    return true;
}

// Runs trials until the try-again answer is 0 or the input ends. Returns
// whether at least one trial's results were shown.
bool runTrials(Console& console, BallastDesign& design) {
    bool trialShown = false;
    double gap = 0;
    int retry = 0;
    std::string lines;
    while (ask(console, kGapPrompt, gap, readDoubleAnswer)) {
        design.G = gap;
        computeTrial(design);
        lines.clear();
        writeResultLines(lines, design, true);
        writeText(console, lines);
        trialShown = true;
        if (!ask(console, kTryAgainPrompt, retry, readIntAnswer) || retry == 0) break;
    }
    return trialShown;
}

}  // namespace

bool runDesignDialogue(Console& console, BallastDesign& design) {
    writeText(console, kBanner);
    const bool trialShown = askFixedQuantities(console, design) && runTrials(console, design);
    if (!trialShown && !outputFailed(console)) {
        writeMessage(console, "input ended before the first trial was complete");
    }
    return trialShown;
}

}  // namespace ballast
