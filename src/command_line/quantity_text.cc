#include "command_line/quantity_text.h"

#include <charconv>
#include <cmath>

#include "design/decimal_value.h"

namespace ballast {
namespace {

struct Suffix {
    UnitKind kind;
    std::string_view text;
    char operation;  // '*' or '/' by `factor`, or '=' for the model's own unit
    double factor;
};

constexpr Suffix kSuffixes[] = {
    {UnitKind::Length, "in", '=', 1},        {UnitKind::Length, "mm", '/', 25.4},
    {UnitKind::Length, "cm", '/', 2.54},     {UnitKind::Area, "in2", '=', 1},
    {UnitKind::Area, "mm2", '/', 645.16},    {UnitKind::Area, "cm2", '/', 6.4516},
    {UnitKind::Flux, "G", '=', 1},           {UnitKind::Flux, "mT", '*', 10},
    {UnitKind::Flux, "T", '*', 10000},       {UnitKind::Inductance, "mH", '=', 1},
    {UnitKind::Inductance, "H", '*', 1000},  {UnitKind::Inductance, "uH", '/', 1000},
};

const Suffix* findSuffix(UnitKind kind, std::string_view text) {
    for (const Suffix& suffix : kSuffixes) {
        if (suffix.kind == kind && suffix.text == text) return &suffix;
    }
    return nullptr;
}

std::string suffixList(UnitKind kind) {
    std::string list;
    for (const Suffix& suffix : kSuffixes) {
        if (suffix.kind != kind) continue;
        if (!list.empty()) list += ", ";
        list += suffix.text;
    }
    return list;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string readExactDecimal(std::string_view text, UnitKind kind, ExactDecimal& decimal, std::string& suffix) {
    if (text.empty()) return "an empty value";
    ExactDecimal read;
    std::size_t at = 0;
    if (text[at] == '+' || text[at] == '-') read.negative = text[at++] == '-';
    int significant = 0;
    bool anyDigit = false;
    bool inFraction = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '.' && !inFraction) {
            inFraction = true;
            continue;
        }
        if (!isDigit(c)) break;
        anyDigit = true;
        if (read.digits == 0 && c == '0') {
            if (inFraction) --read.exponent;
            continue;
        }
        if (++significant > 19) return "more than 19 significant digits";
        read.digits = read.digits * 10 + static_cast<std::uint64_t>(c - '0');
        if (inFraction) --read.exponent;
    }
    if (!anyDigit) return "not a number";
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E') && at + 1 < text.size()) {
        std::size_t end = at + 1;
        if (text[end] == '+' || text[end] == '-') ++end;
        if (end < text.size() && isDigit(text[end])) {
            int written = 0;
            const auto result = std::from_chars(text.data() + end, text.data() + text.size(), written);
            if (result.ec != std::errc{} || written > 400) return "not a finite number";
            read.exponent += text[at + 1] == '-' ? -written : written;
            at = static_cast<std::size_t>(result.ptr - text.data());
        }
    }
    const std::string_view rest = text.substr(at);
    if (!rest.empty() && findSuffix(kind, rest) == nullptr) {
        if (kind == UnitKind::None) return "not a number";
        return "not a number with a unit (" + suffixList(kind) + ")";
    }
    decimal = read;
    suffix = rest;
    return "";
}

double toModelUnit(const ExactDecimal& decimal, UnitKind kind, std::string_view suffix) {
    double value = nearestDouble(decimal.digits, decimal.exponent);
    if (decimal.negative) value = -value;
    const Suffix* unit = suffix.empty() ? nullptr : findSuffix(kind, suffix);
    if (unit != nullptr && unit->operation == '*') value = value * unit->factor;
    if (unit != nullptr && unit->operation == '/') value = value / unit->factor;
    return value;
}

std::string readQuantity(std::string_view text, UnitKind kind, double& value) {
    ExactDecimal decimal;
    std::string suffix;
    std::string problem = readExactDecimal(text, kind, decimal, suffix);
    if (!problem.empty()) return problem;
    const double converted = toModelUnit(decimal, kind, suffix);
    if (!std::isfinite(converted)) return "not a finite number";
    value = converted;
    return "";
}

}  // namespace ballast
