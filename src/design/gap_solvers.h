// The designer's questions turned round: the gap that gives a peak flux
// density or a number of turns, and what a trial winding's measured
// inductance says about the turns to wind and about the core. Units as in
// the model: inches, square inches, henries, gauss.
#pragma once

#include "design/design.h"

namespace ballast {

// The gap G (inches) whose trial has the number of turns `turns`: from
// N^2 = (PI*D + (ur - 1)*G) * L / (ur*A*uo), so
// G = (N^2*ur*A*uo / L - PI*D) / (ur - 1). Reads V, I, freq, A, ur and D.
// Below 0 when the core needs more turns than `turns` even with no gap;
// not finite when ur is 1 (the gap then changes nothing).
double gapForTurns(const BallastDesign& design, double turns);

// The gap (inches) whose trial has the peak flux density `flux` (gauss): the
// turns for that flux, Nt = (10000*L*1.414*I) / (0.00064516*A*flux), then
// gapForTurns(Nt). Below 0 when even no gap keeps the flux below `flux`.
double gapForFlux(const BallastDesign& design, double flux);

// What a trial winding of `wound` turns that measured `measuredHenries`
// implies: the turns that give the required inductance, wound *
// sqrt(L / measured) (the inductance goes as the square of the turns), and the
// gap that the measurement implies, (wound^2*ur*A*uo / measured - PI*D) /
// (ur - 1), below 0 when the winding measures more than it could with no gap:
// the core is then more permeable than stated.
struct Trim {
    double turns;
    double effectiveGap;  // inches
};
Trim trimFromMeasurement(const BallastDesign& design, double wound, double measuredHenries);

}  // namespace ballast
