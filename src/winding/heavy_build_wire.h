// Data: heavy-build (double-coat) film-insulated round copper magnet wire,
// inches. For every second gauge from AWG 4 to AWG 40, the nominal bare
// diameter and the maximum overall diameter with heavy-build enamel.
//
// Source: NEMA MW 1000 (magnet wire), heavy build round film-insulated
// copper, as magnet wire makers tabulate it.
#pragma once

namespace ballast {

struct HeavyBuildWire {
    int awg;
    double bare;     // nominal bare copper diameter, in
    double overall;  // maximum overall diameter, heavy build, in
};

inline constexpr HeavyBuildWire kHeavyBuildWire[] = {
    {4, 0.2043, 0.2098},  {6, 0.1620, 0.1674},  {8, 0.1285, 0.1337},  {10, 0.1019, 0.1062},
    {12, 0.0808, 0.0847}, {14, 0.0641, 0.0675}, {16, 0.0508, 0.0539}, {18, 0.0403, 0.0431},
    {20, 0.0320, 0.0346}, {22, 0.0253, 0.0276}, {24, 0.0201, 0.0223}, {26, 0.0159, 0.0178},
    {28, 0.0126, 0.0144}, {30, 0.0100, 0.0116}, {32, 0.0080, 0.0094}, {34, 0.0063, 0.0076},
    {36, 0.0050, 0.0062}, {38, 0.0040, 0.0050}, {40, 0.0031, 0.0040},
};

}  // namespace ballast
