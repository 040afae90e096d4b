#include "command_line/options.h"

#include <getopt.h>

#include <cmath>
#include <cstring>
#include <string_view>

#include "command_line/quantity_text.h"

namespace ballast {
namespace {

// The seven quantities of the design, with their options.
struct QuantityOption {
    const char* name;
    double BallastDesign::*field;
    UnitKind kind;
};

constexpr QuantityOption kQuantities[] = {
    {"voltage", &BallastDesign::V, UnitKind::None},     {"current", &BallastDesign::I, UnitKind::None},
    {"frequency", &BallastDesign::freq, UnitKind::None}, {"outside", &BallastDesign::Dout, UnitKind::Length},
    {"inside", &BallastDesign::Din, UnitKind::Length},   {"area", &BallastDesign::A, UnitKind::Area},
    {"permeability", &BallastDesign::ur, UnitKind::None},
};
constexpr int kQuantityCount = 7;

// getopt_long's codes for the options that have no short form.
enum : int {
    kOutside = 1000, kInside, kSweep, kFlux, kTurns, kBsat, kAwg, kWire, kBuild, kCurrentDensity, kMaxFill,
    kMeasured, kWound, kFormat, kHelp, kVersion
};

constexpr option kOptions[] = {
    {"voltage", required_argument, nullptr, 'V'},
    {"current", required_argument, nullptr, 'I'},
    {"frequency", required_argument, nullptr, 'f'},
    {"outside", required_argument, nullptr, kOutside},
    {"inside", required_argument, nullptr, kInside},
    {"area", required_argument, nullptr, 'A'},
    {"permeability", required_argument, nullptr, 'u'},
    {"gap", required_argument, nullptr, 'g'},
    {"sweep", required_argument, nullptr, kSweep},
    {"flux", required_argument, nullptr, kFlux},
    {"turns", required_argument, nullptr, kTurns},
    {"bsat", required_argument, nullptr, kBsat},
    {"awg", required_argument, nullptr, kAwg},
    {"wire", required_argument, nullptr, kWire},
    {"build", required_argument, nullptr, kBuild},
    {"current-density", required_argument, nullptr, kCurrentDensity},
    {"max-fill", required_argument, nullptr, kMaxFill},
    {"measured", required_argument, nullptr, kMeasured},
    {"wound", required_argument, nullptr, kWound},
    {"format", required_argument, nullptr, kFormat},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};
constexpr const char* kShortOptions = ":V:I:f:A:u:g:";

// The index in kQuantities of an option's code, or -1.
int quantityIndex(int code) {
    switch (code) {
        case 'V': return 0;
        case 'I': return 1;
        case 'f': return 2;
        case kOutside: return 3;
        case kInside: return 4;
        case 'A': return 5;
        case 'u': return 6;
        default: return -1;
    }
}

// The option as the user wrote it, for messages: "--gap" or "-g".
std::string spelled(const char* argument) {
    const std::string_view text(argument);
    if (text.substr(0, 2) == "--") return std::string(text.substr(0, text.find('=')));
    return std::string(text.substr(0, 2));
}

// The message for an option getopt_long could not take.
std::string unknownOption(const char* argument) {
    const std::string name = spelled(argument);
    if (name.size() > 2 && name[1] == '-') {
        std::string matches;
        for (const option* o = kOptions; o->name != nullptr; ++o) {
            if (std::strncmp(o->name, name.c_str() + 2, name.size() - 2) == 0) {
                matches += matches.empty() ? "" : ", ";
                matches += std::string("--") + o->name;
            }
        }
        if (matches.find(',') != std::string::npos) return "option '" + name + "' is ambiguous: " + matches;
        if (!matches.empty() && std::strchr(argument, '=') != nullptr) {
            return "option '" + matches + "' takes no value";
        }
    }
    return "unknown option '" + name + "'";
}

std::string badValue(const std::string& option, const char* value, const std::string& problem) {
    return "option '" + option + "': '" + value + "' is " + problem;
}

// Whether the design's quantities keep its rules; else the message.
std::string checkDesign(const BallastDesign& d, const std::string (&given)[kQuantityCount]) {
    auto broken = [&given](int index, const std::string& rule) {
        return "option '--" + std::string(kQuantities[index].name) + "': " + given[index] + " " + rule;
    };
    if (!(d.V > 0)) return broken(0, "is not above 0");
    if (!(d.I > 0)) return broken(1, "is not above 0");
    if (!(d.freq > 0)) return broken(2, "is not above 0");
    if (!(d.Dout > 0)) return broken(3, "is not above 0");
    if (!(d.Din > 0)) return broken(4, "is not above 0");
    if (!(d.Din < d.Dout)) return broken(4, "is not below the outside diameter " + given[3]);
    if (!(d.A > 0)) return broken(5, "is not above 0");
    if (!(d.ur >= 1)) return broken(6, "is below 1");
    return "";
}

// A value of the options that stand beside the design, as given.
struct Given {
    const char* text = nullptr;  // nullptr when the option was not given
    double value = 0;
};

// The long name of the option whose code is `code`, "--gap" for 'g'.
std::string longName(int code) {
    for (const option* o = kOptions; o->name != nullptr; ++o) {
        if (o->val == code) return std::string("--") + o->name;
    }
    return "";
}

// Reads the value of the option `name` (as given) whose code is `code`; it
// must be above 0, or at least 0 with `zeroAllowed`.
std::string readPositive(const std::string& name, int code, UnitKind kind, bool zeroAllowed, Given& given) {
    given.text = ::optarg;
    const std::string problem = readQuantity(::optarg, kind, given.value);
    if (!problem.empty()) return badValue(name, ::optarg, problem);
    if (zeroAllowed ? !(given.value >= 0) : !(given.value > 0)) {
        return "option '" + longName(code) + "': " + ::optarg + (zeroAllowed ? " is below 0" : " is not above 0");
    }
    return "";
}

// The wire and the limit of the fill, from their options.
std::string readWinding(const Given& awg, const Given& wire, const Given& build, const Given& density,
                        const Given& maxFill, CommandLineRequest& request) {
    if (awg.text != nullptr && wire.text != nullptr) return "give --awg or --wire, not both";
    if (build.text != nullptr && wire.text == nullptr) return "option '--build' goes with --wire";
    if (density.text != nullptr && (awg.text != nullptr || wire.text != nullptr)) {
        return "option '--current-density' chooses the gauge, so it goes without --awg and --wire";
    }
    WindingRequest& winding = request.winding;
    if (maxFill.text != nullptr) winding.maxFillPercent = maxFill.value;
    if (awg.text != nullptr) {
        if (awg.value != std::floor(awg.value) || awg.value > kThinnestGauge) {
            return std::string("option '--awg': ") + awg.text + " is not a gauge from 0 to 40";
        }
        winding.wanted = true;
        winding.wire = gaugeWire(static_cast<int>(awg.value));
    } else if (wire.text != nullptr) {
        winding.wanted = true;
        winding.wire = diameterWire(wire.value, build.text != nullptr ? build.value : heavyBuildNear(wire.value));
    } else if (density.text != nullptr || maxFill.text != nullptr) {
        // The gauge for the current, at 3 A/mm2 unless told otherwise.
        const double ampsPerSquareMillimetre = density.text != nullptr ? density.value : 3;
        const int gauge = thinnestGaugeFor(request.design.I, ampsPerSquareMillimetre);
        if (gauge < 0) {
            return "option '--current-density': " + std::string(density.text != nullptr ? density.text : "3") +
                   " A/mm2 needs a wire thicker than AWG 0";
        }
        winding.wanted = true;
        winding.wire = gaugeWire(gauge);
    }
    return "";
}

}  // namespace

std::string readCommandLine(int argc, char** argv, CommandLineRequest& request) {
    std::string given[kQuantityCount];  // each quantity's value as given
    Given bsat, awg, wire, build, density, maxFill, measured, wound;
    ::opterr = 0;
    ::optind = 1;
    for (;;) {
        int longIndex = -1;
        const int code = ::getopt_long(argc, argv, kShortOptions, kOptions, &longIndex);
        if (code == -1) break;
        const char* argument = argv[::optind - 1];
        const bool shortOption = argument[0] == '-' && argument[1] != '-';
        if (code == '?' && shortOption) return std::string("unknown option '-") + static_cast<char>(::optopt) + "'";
        if (code == '?') return unknownOption(argument);
        if (code == ':' && shortOption) return std::string("option '-") + static_cast<char>(::optopt) + "' needs a value";
        if (code == ':') return "option '" + spelled(argument) + "' needs a value";
        const std::string name =
            longIndex >= 0 ? std::string("--") + kOptions[longIndex].name : std::string("-") + static_cast<char>(code);
        const int quantity = quantityIndex(code);
        if (quantity >= 0) {
            const std::string problem =
                readQuantity(::optarg, kQuantities[quantity].kind, request.design.*kQuantities[quantity].field);
            if (!problem.empty()) return badValue(name, ::optarg, problem);
            given[quantity] = ::optarg;
            continue;
        }
        std::string problem;
        switch (code) {
            case 'g':
            case kFlux:
            case kTurns: {
                GapSource source;
                source.kind = code == 'g' ? GapKind::Gap : code == kFlux ? GapKind::Flux : GapKind::Turns;
                Given value;
                problem = readPositive(name, code,
                                       code == 'g' ? UnitKind::Length : code == kFlux ? UnitKind::Flux : UnitKind::None,
                                       code == 'g', value);
                source.text = ::optarg;
                source.value = value.value == 0 ? 0 : value.value;  // no "-0" in the output
                request.gaps.push_back(source);
                break;
            }
            case kSweep: {
                GapSource source;
                source.kind = GapKind::Sweep;
                source.text = ::optarg;
                const std::string sweepProblem = readGapSweep(::optarg, source.sweep);
                if (!sweepProblem.empty()) return "option '--sweep': '" + source.text + "': " + sweepProblem;
                request.gaps.push_back(source);
                break;
            }
            case kBsat: problem = readPositive(name, code, UnitKind::Flux, false, bsat); break;
            case kAwg: problem = readPositive(name, code, UnitKind::None, true, awg); break;
            case kWire: problem = readPositive(name, code, UnitKind::Length, false, wire); break;
            case kBuild: problem = readPositive(name, code, UnitKind::Length, true, build); break;
            case kCurrentDensity: problem = readPositive(name, code, UnitKind::None, false, density); break;
            case kMaxFill: problem = readPositive(name, code, UnitKind::None, false, maxFill); break;
            case kMeasured: problem = readPositive(name, code, UnitKind::Inductance, false, measured); break;
            case kWound: problem = readPositive(name, code, UnitKind::None, false, wound); break;
            case kFormat: {
                const std::string_view format(::optarg);
                if (format == "table") {
                    request.format = OutputFormat::Table;
                } else if (format == "csv") {
                    request.format = OutputFormat::Csv;
                } else if (format == "json") {
                    request.format = OutputFormat::Json;
                } else {
                    return badValue(name, ::optarg, "not table, csv or json");
                }
                break;
            }
            case kHelp: request.help = true; break;
            case kVersion: request.version = true; break;
            default: return unknownOption(argument);
        }
        if (!problem.empty()) return problem;
    }
    if (::optind < argc) return std::string("unexpected operand '") + argv[::optind] + "'";
    if (request.help || request.version) return "";

    std::string missing;
    for (int i = 0; i < kQuantityCount; ++i) {
        if (given[i].empty()) missing += (missing.empty() ? "--" : ", --") + std::string(kQuantities[i].name);
    }
    if (!missing.empty()) return "the design needs " + missing;
    const std::string broken = checkDesign(request.design, given);
    if (!broken.empty()) return broken;
    request.design.D = computeMeanDiameter(request.design.Din, request.design.Dout);
    request.withBsat = bsat.text != nullptr;
    request.Bsat = bsat.value;
    const std::string windingProblem = readWinding(awg, wire, build, density, maxFill, request);
    if (!windingProblem.empty()) return windingProblem;
    if ((measured.text != nullptr) != (wound.text != nullptr)) return "options '--measured' and '--wound' go together";
    if (measured.text != nullptr) request.trim = {true, measured.value, wound.value, measured.text};
    if (request.gaps.empty() && !request.trim.wanted) {
        return "no gap to try: give --gap, --sweep, --flux or --turns";
    }
    // With a permeability of 1 the gap changes nothing, so none can be solved for.
    if (request.design.ur == 1) {
        for (const GapSource& source : request.gaps) {
            if (source.kind == GapKind::Flux || source.kind == GapKind::Turns) {
                return std::string("option '--") + (source.kind == GapKind::Flux ? "flux" : "turns") + "' " +
                       source.text + ": with a permeability of 1 the gap changes nothing";
            }
        }
        if (request.trim.wanted) {
            return "option '--measured': with a permeability of 1 no gap follows from a measurement";
        }
    }
    return "";
}

}  // namespace ballast
