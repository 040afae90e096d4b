#include "design/design.h"

#include <cmath>

namespace ballast {

double computeMeanDiameter(double Din, double Dout) { return (Din + Dout) / 2.0; }

double computeInductance(double V, double I, double freq) { return (V / I) / (TWO_PI * freq); }

void computeTrial(BallastDesign& d) {
    d.L = computeInductance(d.V, d.I, d.freq);
    // Turns for that inductance: the mean path PI * D around the toroid plus the
    // gap, which takes the place of (ur - 1) times its length of core.
    d.N = std::sqrt(((PI * d.D) + ((d.ur - 1) * d.G)) * d.L / ((d.ur * d.A) * uo));
    d.VT = d.V / d.N;
    // Peak flux L * Ipeak / (N * A), with the area in square metres, in gauss.
    d.B = ((GAUSS_PER_TESLA * d.L) * (PEAK_FACTOR * d.I)) /
          (SQUARE_METRES_PER_SQUARE_INCH * (d.A * d.N));
}

}  // namespace ballast
