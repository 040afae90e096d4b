#include "command_line/options.h"

#include <getopt.h>

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
enum : int { kOutside = 1000, kInside, kSweep, kFormat, kHelp, kVersion };

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

}  // namespace

std::string readCommandLine(int argc, char** argv, CommandLineRequest& request) {
    std::string given[kQuantityCount];  // each quantity's value as given
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
        switch (code) {
            case 'g': {
                GapSource gap;
                gap.text = ::optarg;
                const std::string problem = readQuantity(::optarg, UnitKind::Length, gap.G);
                if (!problem.empty()) return badValue(name, ::optarg, problem);
                if (!(gap.G >= 0)) return "option '--gap': " + gap.text + " is below 0";
                if (gap.G == 0) gap.G = 0;  // no "-0" in the output
                request.gaps.push_back(gap);
                break;
            }
            case kSweep: {
                GapSource gap;
                gap.text = ::optarg;
                gap.isSweep = true;
                const std::string problem = readGapSweep(::optarg, gap.sweep);
                if (!problem.empty()) return "option '--sweep': '" + gap.text + "': " + problem;
                request.gaps.push_back(gap);
                break;
            }
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
    if (request.gaps.empty()) return "no gap to try: give --gap or --sweep";
    request.design.D = computeMeanDiameter(request.design.Din, request.design.Dout);
    return "";
}

}  // namespace ballast
