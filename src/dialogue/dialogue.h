// The conversation with the user: the banner, the seven quantities that stay
// fixed for the run, then trials over gap sizes, each showing its results and
// asking whether to try again, until the answer is 0 or the input ends.
#pragma once

#include "design/design.h"
#include "console/console.h"

namespace ballast {

// Runs the whole conversation on `console`, storing every answer in `design`
// as soon as it is read; afterwards `design` holds the last completed trial.
// A word that is not a number is reported on standard error and its question
// asked again. The trials end at a try-again answer of 0, or when the input
// ends at the gap or try-again question. Returns whether at least one trial's
// results were shown; when none were, the input ended early and that has been
// reported. Output that fails also ends the conversation.
bool runDesignDialogue(Console& console, BallastDesign& design);

}  // namespace ballast
