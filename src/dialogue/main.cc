// The ballast program: sizes the winding of a ballast inductor on a gapped
// toroidal core, conversing on the console.
#include "dialogue/console.h"
#include "dialogue/dialogue.h"

int main() {
    ballast::Console console = ballast::standardConsole();
    ballast::BallastDesign design;
    const bool trialShown = ballast::runDesignDialogue(console, design);
    const bool consoleOk = ballast::finishConsole(console);
    return trialShown && consoleOk ? 0 : 1;
}
