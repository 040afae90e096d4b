#include "winding/wire.h"

#include <cmath>
#include <cstdlib>

#include "design/design.h"
#include "winding/heavy_build_wire.h"

namespace ballast {

double bareDiameter(int awg) { return 0.005 * std::pow(92.0, (36.0 - awg) / 39.0); }

double heavyBuild(int awg) {
    const HeavyBuildWire* nearest = &kHeavyBuildWire[0];
    for (const HeavyBuildWire& wire : kHeavyBuildWire) {
        // Strictly nearer only: between two listed gauges the thicker one,
        // listed first, keeps its place.
        if (std::abs(wire.awg - awg) < std::abs(nearest->awg - awg)) nearest = &wire;
    }
    return nearest->overall - nearest->bare;
}

double heavyBuildNear(double bare) {
    int nearest = kThickestGauge;
    for (int awg = kThickestGauge; awg <= kThinnestGauge; ++awg) {
        if (std::fabs(bareDiameter(awg) - bare) < std::fabs(bareDiameter(nearest) - bare)) nearest = awg;
    }
    return heavyBuild(nearest);
}

Wire gaugeWire(int awg) {
    const double bare = bareDiameter(awg);
    return {awg, bare, bare + heavyBuild(awg)};
}

Wire diameterWire(double bare, double build) { return {-1, bare, bare + build}; }

double copperAreaSquareMillimetres(double bare) {
    const double millimetres = bare * 25.4;
    return PI / 4 * millimetres * millimetres;
}

int thinnestGaugeFor(double amps, double ampsPerSquareMillimetre) {
    const double needed = amps / ampsPerSquareMillimetre;
    for (int awg = kThinnestGauge; awg >= kThickestGauge; --awg) {
        if (copperAreaSquareMillimetres(bareDiameter(awg)) >= needed) return awg;
    }
    return -1;
}

}  // namespace ballast
