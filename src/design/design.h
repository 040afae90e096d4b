// The ballast inductor model: the record of one run's quantities, the constants
// of the design equations, and the two computations made from them.
//
// Units: volts and amperes rms, hertz, inches and square inches for the core;
// the inductance in henries (printed in millihenries), turns, volts per turn and
// gauss. The permeability of free space `uo` is in henries per inch so that the
// core's lengths can stay in inches.
#pragma once

namespace ballast {

// Pi cut (not rounded) after ten decimals; every pi of the model is this value.
inline constexpr double PI = 3.1415926535;
// Two pi, as the one constant of the inductance equation.
inline constexpr double TWO_PI = 6.283185307;
// Permeability of free space, 4 pi 1e-7 H/m over 39.37 inches per metre, H/in.
inline constexpr double uo = 3.1918645196850396e-08;
// Peak over rms of the current (deliberately 1.414, not the square root of 2).
inline constexpr double PEAK_FACTOR = 1.414;
// Square metres per square inch.
inline constexpr double SQUARE_METRES_PER_SQUARE_INCH = 0.00064516;
// Gauss per tesla.
inline constexpr double GAUSS_PER_TESLA = 10000.0;
// Millihenries per henry; applied only where the inductance is printed.
inline constexpr double MILLIHENRIES_PER_HENRY = 1000.0;

// One run's quantities. The seven inputs are entered once, D is derived from
// them once, G is entered for each trial and L, N, VT and B are that trial's
// results. N is the real number of turns and is never rounded here.
struct BallastDesign {
    double V = 0;     // voltage across the ballast, volts rms
    double I = 0;     // current through the ballast, amperes rms
    double freq = 0;  // line frequency, hertz
    double Dout = 0;  // outside diameter of the toroid, inches
    double Din = 0;   // inside diameter of the toroid, inches
    double A = 0;     // cross-sectional area of the core, square inches
    double ur = 0;    // relative permeability of the core material
    double D = 0;     // mean diameter of the toroid, inches
    double G = 0;     // length of the air gap, inches
    double L = 0;     // required inductance, henries
    double N = 0;     // required number of turns
    double VT = 0;    // volts per turn
    double B = 0;     // peak flux density in the core, gauss
};

// The mean diameter (Din + Dout) / 2 of the toroid, in inches.
double computeMeanDiameter(double Din, double Dout);

// The inductance (henries) whose reactance at `freq` is V / I: the first
// step of a trial, which does not depend on the gap.
double computeInductance(double V, double I, double freq);

// Computes one trial from V, I, freq, A, ur, D and G and stores L, N, VT and B
// in `design`, in that order. Nothing is validated: a zero current or
// frequency gives infinities, a negative radicand NaN, and they flow on.
void computeTrial(BallastDesign& design);

}  // namespace ballast
