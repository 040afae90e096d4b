// Fuzzes the dialogue with arbitrary bytes as its standard input, in process,
// and checks what must hold whatever is typed: the conversation returns, it
// begins with the banner, every question it shows is one of its own and comes
// in the dialogue's order, each question asked again follows exactly one
// "not a number" message, results appear only as whole result blocks, the
// run's status follows from them, and the output stays proportional to the
// input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "design/design.h"
#include "console/console.h"
#include "dialogue/dialogue.h"
#include "report/report.h"

namespace {

using ballast::BallastDesign;

constexpr std::string_view kBanner = "*********************** INPUT BALLAST DATA ***********************\n";
constexpr std::string_view kEnded = "ballast: input ended before the first trial was complete\n";
constexpr std::string_view kNotANumber = "\" is not a number; please type a number\n";

// The questions in the order the dialogue asks them; after the last fixed
// question come the gap, the results and the try-again question, repeated.
constexpr std::string_view kPrompts[] = {
    "\nBallast voltage (rms volts)?\n",
    "\nBallast current (rms amps)?\n",
    "\nLine Frequency (Hz)?\n",
    "\nOutside toroid diameter (inches)?\n",
    "\nInside toroid diameter (inches)?\n",
    "\nCross sectional area of toroid core (square inches)?\n",
    "\nRelative magnetic permeability of core material?\n",
    "\nGAP size (inches)?\n",
    "",  // the result lines
    "\nTry Again?    (0=NO   1=YES)\n",
};
constexpr int kGap = 7;
constexpr int kResults = 8;
constexpr int kTryAgain = 9;

void require(bool holds) {
    if (!holds) std::abort();
}

// Takes one number field of a result line: the number right-aligned in at
// least five characters, then `after`.
bool takeField(std::string_view& out, std::string_view after) {
    const std::size_t end = out.find(after);
    if (end == std::string_view::npos || end < 5) return false;
    for (char c : out.substr(0, end)) {
        if (std::string_view(" 0123456789.-infa").find(c) == std::string_view::npos) return false;
    }
    out.remove_prefix(end + after.size());
    return true;
}

bool takeText(std::string_view& out, std::string_view text) {
    if (out.substr(0, text.size()) != text) return false;
    out.remove_prefix(text.size());
    return true;
}

bool takeResults(std::string_view& out) {
    return takeText(out, "\nRequired Inductance      = ") && takeField(out, " mh\nRequired Number of Turns = ") &&
           takeField(out, "\nVolts per Turn           = ") && takeField(out, " volts\nPeak Flux Density        = ") &&
           takeField(out, " gauss\n");
}

// Walks the output through the dialogue's order of questions. Returns the
// number of questions asked again and the number of result blocks.
void checkConversation(std::string_view out, std::size_t& askedAgain, std::size_t& trials) {
    require(takeText(out, kBanner));
    askedAgain = 0;
    trials = 0;
    int last = -1;  // the item shown last
    while (!out.empty()) {
        const int next = last == kTryAgain ? kGap : last + 1;
        if (last >= 0 && last != kResults && takeText(out, kPrompts[last])) {
            ++askedAgain;
        } else if (next == kResults) {
            require(takeResults(out));
            ++trials;
            last = next;
        } else {
            require(takeText(out, kPrompts[next]));
            last = next;
        }
    }
}

std::size_t countOf(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ballast::Console console = ballast::memoryConsole(std::string_view(reinterpret_cast<const char*>(data), size));
    BallastDesign design;
    const bool trialShown = ballast::runDesignDialogue(console, design);
    const int status = trialShown && ballast::finishConsole(console) ? 0 : 1;

    std::size_t askedAgain = 0;
    std::size_t trials = 0;
    checkConversation(ballast::keptOutput(console), askedAgain, trials);
    require(trialShown == (trials > 0));
    require(status == (trials > 0 ? 0 : 1));

    // Standard error holds one message per question asked again, each naming
    // at most 40 printable characters, and the early end when there was one.
    std::string_view err = ballast::keptMessages(console);
    if (!trialShown) {
        require(err.size() >= kEnded.size() && err.substr(err.size() - kEnded.size()) == kEnded);
        err.remove_suffix(kEnded.size());
    }
    require(countOf(err, kNotANumber) == askedAgain);
    for (std::size_t line = 0; line < err.size();) {
        const std::size_t end = err.find('\n', line);
        const std::string_view message = err.substr(line, end + 1 - line);
        require(message.substr(0, 10) == "ballast: \"");
        const std::size_t wordLength = message.size() - 10 - kNotANumber.size();
        require(wordLength >= 1 && wordLength <= 40);
        for (char c : message) require((c >= 0x20 && c < 0x7f) || c == '\n');
        line = end + 1;
    }

    // The output is bounded by the input: every question shown took at least
    // one byte of it, and a trial (at most four numbers of some 310 digits
    // each, for a gap and a try-again answer) at least two.
    require(ballast::keptOutput(console).size() + ballast::keptMessages(console).size() <= 4096 + 800 * size);

    if (trialShown) {
        const std::string report = ballast::designReportText(design);
        require(report.substr(0, 8) == "\n\n******");
        require(countOf(report, "\n") == 20);
    }
    return 0;
}
