// Numbers are read and written with a point whatever the process's locale:
// here a German one, whose decimal separator is a comma.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "design/number_format.h"
#include "dialogue/answer_reader.h"
#include "example_run.h"
#include "report/report.h"

namespace ballast {
namespace {

TEST(Locale, AGermanLocaleChangesNoNumber) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(nullptr, std::setlocale(LC_ALL, "de_DE.UTF-8")) << "the locale de_DE.UTF-8 is missing (tools/install-deps)";
    ASSERT_EQ(',', *std::localeconv()->decimal_point);

    EXPECT_EQ("  1.5", formatFixed(1.5, 5, 1));
    EXPECT_EQ("1234567.13", formatFixed(1234567.125, 0, 2));
    Console console = memoryConsole("1.5 2,5");
    double value = 0;
    std::string word;
    EXPECT_EQ(AnswerRead::Number, readDoubleAnswer(console, value, word));
    EXPECT_EQ(1.5, value);
    EXPECT_EQ(AnswerRead::Number, readDoubleAnswer(console, value, word));
    EXPECT_EQ(2.0, value);  // the comma is not part of a number
    EXPECT_EQ(testing::kExampleReport, designReportText(testing::exampleDesign(0.1)));

    std::setlocale(LC_ALL, before.c_str());
}

}  // namespace
}  // namespace ballast
