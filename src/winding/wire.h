// The wire of a winding: American Wire Gauge sizes, heavy-build enamel, and
// the gauge a current needs. Diameters in inches, areas in square
// millimetres, current densities in amperes per square millimetre.
#pragma once

namespace ballast {

inline constexpr int kThickestGauge = 0;
inline constexpr int kThinnestGauge = 40;

struct Wire {
    int awg;          // the gauge, or -1 for a wire given by its diameter
    double bare;      // copper diameter, in
    double insulated; // diameter over the enamel, in
};

// The bare diameter of AWG `awg`: 0.005 in * 92^((36 - awg) / 39).
double bareDiameter(int awg);

// The heavy-build enamel's increase of the diameter for AWG `awg`: that of the
// nearest gauge in the wire table (of the thicker one between two).
double heavyBuild(int awg);

// The enamel of the gauge whose bare diameter is nearest to `bare`.
double heavyBuildNear(double bare);

// AWG `awg` with heavy-build enamel.
Wire gaugeWire(int awg);

// A wire of copper diameter `bare` with enamel adding `build` to it.
Wire diameterWire(double bare, double build);

// The copper area of a wire of bare diameter `bare` inches, mm^2.
double copperAreaSquareMillimetres(double bare);

// The thinnest gauge whose copper area carries `amps` at `ampsPerSquareMillimetre`
// (the highest gauge number up to 40), or -1 when even AWG 0 is too thin.
int thinnestGaugeFor(double amps, double ampsPerSquareMillimetre);

}  // namespace ballast
