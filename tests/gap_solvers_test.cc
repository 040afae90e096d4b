#include "design/gap_solvers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ballast {
namespace {

BallastDesign designOf(double V, double I, double freq, double Dout, double Din, double A, double ur) {
    BallastDesign d{V, I, freq, Dout, Din, A, ur};
    d.D = computeMeanDiameter(Din, Dout);
    return d;
}

BallastDesign trialAt(BallastDesign d, double gap) {
    d.G = gap;
    computeTrial(d);
    return d;
}

const BallastDesign kDesigns[] = {
    designOf(120, 1.2, 60, 4, 2, 1, 2000),
    designOf(174.7, 6.9, 50, 6.3, 5.5, 2.7, 3611),
    designOf(240, 0.4, 50, 1.5, 0.8, 0.12, 125),
};

TEST(GapSolvers, TheTrialAtTheSolvedGapGivesTheTargetBack) {
    for (const BallastDesign& d : kDesigns) {
        const double least = trialAt(d, 0).N;  // the turns with no gap
        for (double factor : {1.0, 1.5, 3.0, 10.0}) {
            const double turns = least * factor;
            const double gap = gapForTurns(d, turns);
            EXPECT_NEAR(turns, trialAt(d, gap).N, turns * 1e-12) << d.V << " " << factor;
            const double flux = trialAt(d, 0).B / factor;
            const double fluxGap = gapForFlux(d, flux);
            EXPECT_NEAR(flux, trialAt(d, fluxGap).B, flux * 1e-12) << d.V << " " << factor;
        }
        EXPECT_LT(gapForTurns(d, least * 0.9), 0);         // too few turns for any gap
        EXPECT_LT(gapForFlux(d, trialAt(d, 0).B * 1.1), 0);  // no gap keeps the flux this low
    }
}

TEST(GapSolvers, AMeasuredTrialWindingGivesTheTurnsAndTheGapItWasWoundOn) {
    for (const BallastDesign& d : kDesigns) {
        const double gap = 0.03;
        const BallastDesign trial = trialAt(d, gap);
        // What the model says `wound` turns on that gap measure: L grows with
        // the square of the turns.
        for (double wound : {trial.N * 0.8, trial.N * 1.25}) {
            const double measured = trial.L * (wound / trial.N) * (wound / trial.N);
            const Trim trim = trimFromMeasurement(d, wound, measured);
            EXPECT_NEAR(trial.N, trim.turns, trial.N * 1e-12);
            EXPECT_NEAR(gap, trim.effectiveGap, 1e-9);
        }
        // More than the turns give with no gap at all implies a gap below 0:
        // the core is more permeable than stated.
        const double gapless = trial.L * (trial.N / trialAt(d, 0).N) * (trial.N / trialAt(d, 0).N);
        EXPECT_NEAR(0, trimFromMeasurement(d, trial.N, gapless).effectiveGap, 1e-9);
        EXPECT_LT(trimFromMeasurement(d, trial.N, gapless * 1.2).effectiveGap, 0);
    }
}

}  // namespace
}  // namespace ballast
