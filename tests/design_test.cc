#include "design/design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "design/result_lines.h"
#include "example_run.h"

namespace ballast {
namespace {

using ballast::testing::exampleDesign;

TEST(ComputeTrial, ExampleCoreAtTwoGaps) {
    struct Case {
        double gap, N, VT, B;
    };
    const Case cases[] = {
        {0.05, 674.1488692, 0.1780022, 10348.4735},
        {0.1, 932.6260, 0.1286689, 7480.3955},
    };
    for (const Case& c : cases) {
        const BallastDesign d = exampleDesign(c.gap);
        EXPECT_EQ(3.0, d.D);
        EXPECT_NEAR(0.265258238494074, d.L, 1e-15);
        EXPECT_NEAR(c.N, d.N, 1e-4);
        EXPECT_NEAR(c.VT, d.VT, 1e-7);
        EXPECT_NEAR(c.B, d.B, 1e-4);
        // Volts per turn and flux use the unrounded number of turns.
        EXPECT_EQ(120 / d.N, d.VT);
        EXPECT_NE(120.0 / std::round(d.N), d.VT);
    }
}

TEST(ComputeTrial, NoGapTermWhenPermeabilityIsOneOrGapIsZero) {
    BallastDesign noGap = exampleDesign(0);
    BallastDesign unitPermeability = exampleDesign(0.05);
    unitPermeability.ur = 1;
    computeTrial(unitPermeability);
    EXPECT_DOUBLE_EQ(std::sqrt(PI * 3 * noGap.L / (2000 * 1 * uo)), noGap.N);
    EXPECT_DOUBLE_EQ(std::sqrt(PI * 3 * unitPermeability.L / (1 * 1 * uo)), unitPermeability.N);
}

TEST(ComputeTrial, ZeroCurrentGivesInfinitiesAndNaNWithoutStopping) {
    BallastDesign d = exampleDesign(0.05);
    d.I = 0;
    computeTrial(d);
    EXPECT_TRUE(std::isinf(d.L) && d.L > 0);
    EXPECT_TRUE(std::isinf(d.N) && d.N > 0);
    EXPECT_EQ(0.0, d.VT);
    EXPECT_TRUE(std::isnan(d.B));
    std::string lines;
    writeResultLines(lines, d, false);
    // The sign of a NaN made by 0 * inf is the processor's; printf shows it.
    EXPECT_EQ(std::string("Required Inductance      =   inf mh\n"
                          "Required Number of Turns =   inf\n"
                          "Volts per Turn           =   0.0 volts\n"
                          "Peak Flux Density        = ") +
                  (std::signbit(d.B) ? " -nan" : "  nan") + " gauss\n",
              lines);
}

TEST(WriteResultLines, ScreenFormHasALeadingEmptyLineAndWideValuesWiden) {
    BallastDesign d = exampleDesign(0.05);
    std::string screen;
    writeResultLines(screen, d, true);
    EXPECT_EQ(
        "\nRequired Inductance      = 265.3 mh\n"
        "Required Number of Turns =   674\n"
        "Volts per Turn           =   0.2 volts\n"
        "Peak Flux Density        = 10348 gauss\n",
        screen);
    d.B = 123456.5;
    d.L = 0.00002;
    std::string wide;
    writeResultLines(wide, d, false);
    EXPECT_EQ(
        "Required Inductance      =   0.0 mh\n"
        "Required Number of Turns =   674\n"
        "Volts per Turn           =   0.2 volts\n"
        "Peak Flux Density        = 123457 gauss\n",
        wide);
}

}  // namespace
}  // namespace ballast
