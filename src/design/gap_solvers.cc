#include "design/gap_solvers.h"

#include <cmath>

namespace ballast {
namespace {

// The gap at which `turns` turns give the inductance L: the turns equation of
// a trial solved for G, its terms grouped as that equation groups them.
double gapFor(const BallastDesign& d, double L, double turns) {
    return ((turns * turns) * ((d.ur * d.A) * uo) / L - (PI * d.D)) / (d.ur - 1);
}

}  // namespace

double gapForTurns(const BallastDesign& d, double turns) {
    return gapFor(d, computeInductance(d.V, d.I, d.freq), turns);
}

double gapForFlux(const BallastDesign& d, double flux) {
    const double L = computeInductance(d.V, d.I, d.freq);
    // The flux equation of a trial solved for the turns.
    const double turns = ((GAUSS_PER_TESLA * L) * (PEAK_FACTOR * d.I)) / (SQUARE_METRES_PER_SQUARE_INCH * (d.A * flux));
    return gapFor(d, L, turns);
}

Trim trimFromMeasurement(const BallastDesign& d, double wound, double measuredHenries) {
    const double L = computeInductance(d.V, d.I, d.freq);
    return {wound * std::sqrt(L / measuredHenries), gapFor(d, measuredHenries, wound)};
}

}  // namespace ballast
