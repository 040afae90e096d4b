// The winding of a trial through the toroid's hole: how many layers the turns
// need, how much of the hole they fill, and the copper's length, resistance,
// loss and voltage drop at 20 degrees C. Lengths in inches and feet.
#pragma once

#include "design/design.h"
#include "winding/wire.h"

namespace ballast {

// Resistivity of annealed copper at 20 degrees C, ohm metres.
inline constexpr double kCopperResistivity = 1.724e-8;

struct Winding {
    double turnsWound;   // the turns as printed: N rounded half away from zero
    int layers;          // the layers needed; 0 when the turns do not go through the hole
    double fillPercent;  // 100 * turns * d^2 / Din^2
    bool fits;           // the layers hold the turns and the fill is at most the limit
    double lengthFeet;   // the wire's length; NaN when the turns do not go through
    double resistance;   // ohms, NaN likewise
    double copperLoss;   // I^2 R, watts
    double voltageDrop;  // I R, volts
};

// Winds the trial held in `design` with `wire`. Layer k (from 1) holds
// floor(PI * (Din - (2k - 1) * d) / d) turns of the insulated diameter d, and
// a turn in it is (Dout - Din) + 2h + 2 PI (k - 1/2) d long, with the core's
// height h = 2A / (Dout - Din) (a rectangular section).
Winding computeWinding(const BallastDesign& design, const Wire& wire, double maxFillPercent);

}  // namespace ballast
