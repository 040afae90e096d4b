#include "winding/winding.h"

#include <gtest/gtest.h>

#include <cmath>

#include "winding/heavy_build_wire.h"
#include "winding/wire.h"

namespace ballast {
namespace {

TEST(Wire, GaugeDiametersMatchTheWireTable) {
    for (int awg : {10, 20, 30}) {
        double listed = 0;
        for (const HeavyBuildWire& wire : kHeavyBuildWire) {
            if (wire.awg == awg) listed = wire.bare;
        }
        EXPECT_NEAR(listed, bareDiameter(awg), 0.00005) << awg;
    }
    // The enamel of a gauge between two listed ones is the thicker one's.
    EXPECT_EQ(heavyBuild(20), heavyBuild(21));
    EXPECT_EQ(heavyBuild(4), heavyBuild(0));
    EXPECT_EQ(heavyBuild(20), heavyBuildNear(0.032));
}

TEST(Wire, TheThinnestGaugeThatCarriesTheCurrent) {
    EXPECT_EQ(21, thinnestGaugeFor(1.2, 3));  // needs 0.4 mm2; AWG 21 has 0.41, AWG 22 0.33
    EXPECT_EQ(40, thinnestGaugeFor(0.001, 3));
    EXPECT_EQ(-1, thinnestGaugeFor(1000, 3));
}

// A small winding worked by hand: a hole of 1 in, a wire of 0.1 in over its
// enamel (0.09 in of copper). The layers hold floor(PI * (1 - (2k - 1) 0.1) /
// 0.1) turns: 28, 21, 15, 9, 3, then none. The core is 1 in high
// (2 * 0.5 / (2 - 1)), so a turn in layer k is 3 + 0.2 PI (k - 1/2) long.
TEST(ComputeWinding, LayersLengthAndFillOfASmallWinding) {
    BallastDesign d{};
    d.I = 2;
    d.Dout = 2;
    d.Din = 1;
    d.A = 0.5;
    const Wire wire = diameterWire(0.09, 0.01);

    d.N = 59.5;  // wound as 60: 28 + 21 + 11
    const Winding three = computeWinding(d, wire, 70);
    EXPECT_EQ(60, three.turnsWound);
    EXPECT_EQ(3, three.layers);
    const double inches = 28 * (3 + 0.1 * PI) + 21 * (3 + 0.3 * PI) + 11 * (3 + 0.5 * PI);
    EXPECT_NEAR(inches / 12, three.lengthFeet, 1e-12);
    EXPECT_NEAR(0.0240980507, three.resistance, 1e-9);
    EXPECT_NEAR(4 * three.resistance, three.copperLoss, 1e-15);
    EXPECT_NEAR(2 * three.resistance, three.voltageDrop, 1e-15);
    EXPECT_NEAR(60.0, three.fillPercent, 1e-9);
    EXPECT_TRUE(three.fits);
    EXPECT_FALSE(computeWinding(d, wire, 40).fits);  // the layers hold them, the fill is too high

    d.N = 76;  // every layer full
    EXPECT_EQ(5, computeWinding(d, wire, 100).layers);
    d.N = 77;  // one turn more than the hole takes
    const Winding tooMany = computeWinding(d, wire, 100);
    EXPECT_EQ(0, tooMany.layers);
    EXPECT_FALSE(tooMany.fits);
    EXPECT_TRUE(std::isnan(tooMany.lengthFeet));
}

}  // namespace
}  // namespace ballast
