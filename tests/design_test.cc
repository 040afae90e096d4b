#include "design/design.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

#include "design/result_lines.h"
#include "example_run.h"

namespace ballast {
namespace {

using ballast::testing::exampleDesign;

// The model worked out here from its literal constants, in its stated order:
// any other pi, peak factor or grouping gives other doubles.
BallastDesign byTheLiterals(double V, double I, double freq, double Dout, double Din, double A, double ur,
                            double G) {
    BallastDesign d{V, I, freq, Dout, Din, A, ur};
    d.D = (Din + Dout) / 2.0;
    d.G = G;
    d.L = (V / I) / (6.283185307 * freq);
    d.N = std::sqrt(((3.1415926535 * d.D) + ((ur - 1) * G)) * d.L / ((ur * A) * 3.1918645196850396e-08));
    d.VT = V / d.N;
    d.B = ((10000 * d.L) * (1.414 * I)) / (0.00064516 * (A * d.N));
    return d;
}

TEST(ComputeTrial, GivesTheModelsDoublesBitForBit) {
    const BallastDesign expected[] = {
        byTheLiterals(120, 1.2, 60, 4, 2, 1, 2000, 0.05),
        byTheLiterals(120, 1.2, 60, 4, 2, 1, 2000, 0.1),
        // A design whose L and B change in their last bits with any regrouping.
        byTheLiterals(174.7, 6.9, 50, 6.3, 5.5, 2.7, 3611, 0.115),
    };
    for (const BallastDesign& e : expected) {
        BallastDesign d{e.V, e.I, e.freq, e.Dout, e.Din, e.A, e.ur};
        d.D = computeMeanDiameter(d.Din, d.Dout);
        d.G = e.G;
        computeTrial(d);
        SCOPED_TRACE(e.V);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(e.D), std::bit_cast<std::uint64_t>(d.D));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(e.L), std::bit_cast<std::uint64_t>(d.L));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(e.N), std::bit_cast<std::uint64_t>(d.N));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(e.VT), std::bit_cast<std::uint64_t>(d.VT));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(e.B), std::bit_cast<std::uint64_t>(d.B));
    }
}

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
