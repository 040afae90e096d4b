#include "winding/winding.h"

#include <cmath>
#include <limits>

namespace ballast {

Winding computeWinding(const BallastDesign& design, const Wire& wire, double maxFillPercent) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double d = wire.insulated;
    Winding w{};
    w.turnsWound = std::round(design.N);
    w.fillPercent = 100 * w.turnsWound * d * d / (design.Din * design.Din);

    const double height = 2 * design.A / (design.Dout - design.Din);
    double left = w.turnsWound;
    double lengthInches = 0;
    for (int k = 1; left > 0 && std::isfinite(left); ++k) {
        const double holds = std::floor(PI * (design.Din - (2 * k - 1) * d) / d);
        if (!(holds > 0)) break;  // no room for another layer
        const double placed = holds < left ? holds : left;
        lengthInches += placed * ((design.Dout - design.Din) + 2 * height + 2 * PI * (k - 0.5) * d);
        left -= placed;
        w.layers = k;
    }
    if (left != 0) w.layers = 0;
    w.fits = w.layers > 0 && w.fillPercent <= maxFillPercent;
    if (w.layers == 0) {
        w.lengthFeet = w.resistance = w.copperLoss = w.voltageDrop = nan;
        return w;
    }
    w.lengthFeet = lengthInches / 12;
    const double bareAreaSquareMetres = PI / 4 * wire.bare * wire.bare * SQUARE_METRES_PER_SQUARE_INCH;
    w.resistance = kCopperResistivity * (lengthInches * 0.0254) / bareAreaSquareMetres;
    w.copperLoss = design.I * design.I * w.resistance;
    w.voltageDrop = design.I * w.resistance;
    return w;
}

}  // namespace ballast
