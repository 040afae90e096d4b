// The example run shared by the tests: the answers 120, 1.2, 60, 4, 2, 1,
// 2000, gap 0.05, try again, gap 0.1, stop; its design and its texts.
#pragma once

#include <string>

#include "design/design.h"

namespace ballast::testing {

// The example's design after its trial with the gap `gap`.
inline BallastDesign exampleDesign(double gap) {
    BallastDesign d;
    d.V = 120;
    d.I = 1.2;
    d.freq = 60;
    d.Dout = 4;
    d.Din = 2;
    d.A = 1;
    d.ur = 2000;
    d.D = computeMeanDiameter(d.Din, d.Dout);
    d.G = gap;
    computeTrial(d);
    return d;
}

inline const std::string kBanner = "*********************** INPUT BALLAST DATA ***********************\n";

inline const std::string kFixedPrompts =
    "\nBallast voltage (rms volts)?\n"
    "\nBallast current (rms amps)?\n"
    "\nLine Frequency (Hz)?\n"
    "\nOutside toroid diameter (inches)?\n"
    "\nInside toroid diameter (inches)?\n"
    "\nCross sectional area of toroid core (square inches)?\n"
    "\nRelative magnetic permeability of core material?\n";

inline const std::string kGapPrompt = "\nGAP size (inches)?\n";
inline const std::string kTryAgainPrompt = "\nTry Again?    (0=NO   1=YES)\n";

inline const std::string kTrialGap005 =
    "\nRequired Inductance      = 265.3 mh\n"
    "Required Number of Turns =   674\n"
    "Volts per Turn           =   0.2 volts\n"
    "Peak Flux Density        = 10348 gauss\n";

inline const std::string kTrialGap01 =
    "\nRequired Inductance      = 265.3 mh\n"
    "Required Number of Turns =   933\n"
    "Volts per Turn           =   0.1 volts\n"
    "Peak Flux Density        =  7480 gauss\n";

inline const std::string kExampleAnswers = "120\n1.2\n60\n4\n2\n1\n2000\n0.05\n1\n0.1\n0\n";

// The example run's standard output, written out in full as the user sees it.
inline const std::string kExampleTranscript = R"(*********************** INPUT BALLAST DATA ***********************

Ballast voltage (rms volts)?

Ballast current (rms amps)?

Line Frequency (Hz)?

Outside toroid diameter (inches)?

Inside toroid diameter (inches)?

Cross sectional area of toroid core (square inches)?

Relative magnetic permeability of core material?

GAP size (inches)?

Required Inductance      = 265.3 mh
Required Number of Turns =   674
Volts per Turn           =   0.2 volts
Peak Flux Density        = 10348 gauss

Try Again?    (0=NO   1=YES)

GAP size (inches)?

Required Inductance      = 265.3 mh
Required Number of Turns =   933
Volts per Turn           =   0.1 volts
Peak Flux Density        =  7480 gauss

Try Again?    (0=NO   1=YES)
)";

// The report the example run leaves: only its last trial, gap 0.1.
inline const std::string kExampleReport = R"(

******************** BALLAST DATA ********************

Ballast Voltage         =  120 Volts rms
Ballast Current         =    1 Amps  rms
Line Frequency          =   60 Hz
Outside Toroid Diameter =  4.0 inches
Inside  Toroid Diameter =  2.0 inches
Toroid Core Area        =  1.0 square inches
Relative Permeability   = 2000

GAP Size                = 0.10 inches

********************** RESULTS **********************

Required Inductance      = 265.3 mh
Required Number of Turns =   933
Volts per Turn           =   0.1 volts
Peak Flux Density        =  7480 gauss
)";

}  // namespace ballast::testing
