#include "dialogue/answer_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace ballast {
namespace {

std::string unread(const Console& c) { return std::string(c.in.data() + c.inPos, c.in.data() + c.inEnd); }

TEST(ReadDoubleAnswer, TakesTheLongestNumberAndLeavesTheRest) {
    struct Case {
        const char* input;
        double value;
        const char* rest;
    };
    const Case cases[] = {
        {"120", 120, ""},           {"  \n\t 1.2\n", 1.2, "\n"}, {"+5 x", 5, " x"},
        {"5.", 5, ""},              {".5", 0.5, ""},             {"-.5e1", -5, ""},
        {"5e-2", 0.05, ""},         {"5E+2,", 500, ","},         {"1e", 1, "e"},
        {"1e+", 1, "e+"},           {"1e-x", 1, "e-x"},          {"2.5.5", 2.5, ".5"},
        {"0x10", 0, "x10"},         {"12abc", 12, "abc"},        {"007", 7, ""},
        {"0.000", 0, ""},           {"1e400", HUGE_VAL, ""},     {"-1e400", -HUGE_VAL, ""},
        {"1e-400", 0, ""},          {"1e99999999999999999999", HUGE_VAL, ""},
        {"0e99999999999999999999", 0, ""},
        {"inf", HUGE_VAL, ""},      {"-Infinity!", -HUGE_VAL, "!"}, {"INFINIT", HUGE_VAL, "INIT"},
    };
    for (const Case& c : cases) {
        Console console = memoryConsole(c.input);
        double value = -123;
        std::string word;
        ASSERT_EQ(AnswerRead::Number, readDoubleAnswer(console, value, word)) << c.input;
        EXPECT_EQ(c.value, value) << c.input;
        EXPECT_EQ(c.rest, unread(console)) << c.input;
    }
}

TEST(ReadDoubleAnswer, NaNsKeepTheirSign) {
    struct Case {
        const char* input;
        bool negative;
        const char* rest;
    };
    const Case cases[] = {
        {"nan", false, ""}, {"-NaN", true, ""}, {"nan(12_ab) 1", false, " 1"}, {"nan(12", false, "(12"},
    };
    for (const Case& c : cases) {
        Console console = memoryConsole(c.input);
        double value = 0;
        std::string word;
        ASSERT_EQ(AnswerRead::Number, readDoubleAnswer(console, value, word)) << c.input;
        EXPECT_TRUE(std::isnan(value)) << c.input;
        EXPECT_EQ(c.negative, std::signbit(value)) << c.input;
        EXPECT_EQ(c.rest, unread(console)) << c.input;
    }
}

TEST(ReadDoubleAnswer, AgreesWithStrtodOnHardConversions) {
    const std::string halfwayTail(780, '0');
    const std::string cases[] = {
        "2.2250738585072011e-308",        // just below the smallest normal
        "4.9406564584124654e-324",        // the smallest subnormal
        "2.4703282292062327e-324",        // a hair below half of it: zero
        "2.4703282292062328e-324",        // a hair above half of it
        "1.7976931348623158e308",         // rounds down to the largest double
        "1.7976931348623159e308",         // rounds up to infinity
        "9007199254740993",               // 2^53 + 1, a tie, to even
        "9007199254740993" + halfwayTail + "1",  // just above that tie
        "9007199254740993" + halfwayTail + "e-780",
        "0." + std::string(5000, '0') + "123e5010",
        std::string(5000, '9') + "e-5000",
        "0.1000000000000000055511151231257827021181583404541015625",  // the double 0.1 exactly
    };
    for (const std::string& text : cases) {
        Console console = memoryConsole(text);
        double value = 0;
        std::string word;
        ASSERT_EQ(AnswerRead::Number, readDoubleAnswer(console, value, word)) << text.substr(0, 40);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text.substr(0, 40);
        EXPECT_EQ("", unread(console));
    }
}

TEST(ReadDoubleAnswer, WordsThatAreNotNumbersAreSkippedWhole) {
    struct Case {
        std::string input;
        const char* word;
        const char* rest;
    };
    const Case cases[] = {
        {"abc 5", "abc", " 5"},
        {"-", "-", ""},
        {". 1", ".", " 1"},
        {"+-3\n", "+-3", "\n"},
        {"e5", "e5", ""},
        {"in", "in", ""},
        {"na\tn", "na", "\tn"},
        {"\x01\xff\xc3\xa9x", "????x", ""},
        {"a\x7f~b", "a?~b", ""},  // DEL is not printable; the tilde before it is
        {std::string(100, 'w') + " 7", "wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww", " 7"},
    };
    for (const Case& c : cases) {
        Console console = memoryConsole(c.input);
        double value = 42;
        std::string word;
        ASSERT_EQ(AnswerRead::NotANumber, readDoubleAnswer(console, value, word)) << c.input;
        EXPECT_EQ(42, value);
        EXPECT_EQ(c.word, word);
        EXPECT_EQ(c.rest, unread(console));
    }
}

TEST(ReadAnswer, EndOfInput) {
    for (const char* input : {"", " \n\t\r\v\f"}) {
        Console console = memoryConsole(input);
        double d = 3;
        int i = 4;
        std::string word;
        EXPECT_EQ(AnswerRead::Ended, readDoubleAnswer(console, d, word));
        EXPECT_EQ(AnswerRead::Ended, readIntAnswer(console, i, word));
        EXPECT_EQ(3, d);
        EXPECT_EQ(4, i);
    }
}

TEST(ReadIntAnswer, DecimalIntegersOnly) {
    struct Case {
        const char* input;
        AnswerRead outcome;
        int value;
        const char* rest;
    };
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const Case cases[] = {
        {"0", AnswerRead::Number, 0, ""},
        {"1.5", AnswerRead::Number, 1, ".5"},
        {"-1", AnswerRead::Number, -1, ""},
        {"+2 ", AnswerRead::Number, 2, " "},
        {"-0", AnswerRead::Number, 0, ""},
        {"0000000000000000000000", AnswerRead::Number, 0, ""},
        {"2147483647", AnswerRead::Number, kMax, ""},
        {"2147483648", AnswerRead::Number, kMax, ""},
        {"-2147483648", AnswerRead::Number, kMin, ""},
        {"-99999999999999999999", AnswerRead::Number, kMin, ""},
        {"1e5", AnswerRead::Number, 1, "e5"},
        {"0x1", AnswerRead::Number, 0, "x1"},
        {".5", AnswerRead::NotANumber, 9, ""},
        {"yes", AnswerRead::NotANumber, 9, ""},
        {"- 1", AnswerRead::NotANumber, 9, " 1"},
        {"inf", AnswerRead::NotANumber, 9, ""},
    };
    for (const Case& c : cases) {
        Console console = memoryConsole(c.input);
        int value = 9;
        std::string word;
        EXPECT_EQ(c.outcome, readIntAnswer(console, value, word)) << c.input;
        EXPECT_EQ(c.value, value) << c.input;
        EXPECT_EQ(c.rest, unread(console)) << c.input;
    }
}

}  // namespace
}  // namespace ballast
