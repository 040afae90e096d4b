// Reads the user's answers from the console the way the formatted-input
// conversions "%lf" (a double) and "%d" (a decimal int) read a stream: white
// space, line ends included, is skipped; the longest text that forms a number
// of that kind is taken; the byte after it stays for the next answer. So
// several answers may share a line, and "1.5" read as an int gives 1 and
// leaves ".5" for the next answer.
//
// A double is written in decimal ("+5", "5.", ".5", "5e-2"), or as "inf",
// "infinity" or "nan" in any case, with an optional sign; it is converted with
// correct rounding, in the classic locale, however many digits it has, and the
// memory used stays bounded whatever the length of the text.
#pragma once

#include <string>

#include "console/console.h"

namespace ballast {

enum class AnswerRead {
    Number,     // a number was taken and stored
    NotANumber, // a word that does not begin with a number was skipped
    Ended,      // the input ended (or failed) before any answer
};

// How many characters of a word that is not a number are kept to be shown.
inline constexpr std::size_t kShownWordLength = 40;

// Reads a "%lf" answer into `value`. On NotANumber the whole word, up to the
// next white space, has been skipped, and `word` holds its first
// kShownWordLength bytes with every byte that is not printable ASCII as '?'.
AnswerRead readDoubleAnswer(Console& console, double& value, std::string& word);

// Reads a "%d" answer into `value` as readDoubleAnswer does; a value beyond
// the range of int is taken as the nearest int.
AnswerRead readIntAnswer(Console& console, int& value, std::string& word);

}  // namespace ballast
