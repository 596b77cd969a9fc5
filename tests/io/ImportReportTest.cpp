// The import report's message: what it tells, and what it leaves out.
#include <gtest/gtest.h>

#include "io/ImportReport.h"

namespace zav {
namespace {

TEST(ImportReport, TellsEachInputThatLostCellsOrGaveNoValue) {
    ImportReport report;
    report.StartInput("good.csv");  // read whole: nothing to tell
    report.AddValues(12);
    report.StartInput("pond.csv");
    report.AddValues(1);
    for (int line = 3; line <= 9; ++line) {
        report.Skip(SkipRule::kNotANumber, static_cast<size_t>(line), 2, "NA");
    }
    report.Skip(SkipRule::kUnreadableTime, 12, 3, std::string(60, '9'));
    report.Skip(SkipRule::kEmptyCell, 13, 2, "");
    report.Skip(SkipRule::kMinusSign, 14, 2, "-1");
    report.StartInput("gone.csv");  // told by a message of its own
    report.MarkFailed();
    report.StartInput("Clipboard");
    EXPECT_EQ(ImportMessage(report),
              "pond.csv: 1 value read; 10 cells not used:\n"
              "  not a number: 7 (line 3, column 2: 'NA'; line 4, column 2: 'NA'; line 5, "
              "column 2: 'NA'; line 6, column 2: 'NA'; line 7, column 2: 'NA'; and 2 more)\n"
              "  date or time that cannot be read or is outside the years 1000 to 9999: 1 "
              "(line 12, column 3: '9999999999999999999999999999999999999999...')\n"
              "  empty cell: 1\n"
              "  begins with a minus sign (layout 2 skips these): 1\n"
              "Clipboard: no value read.\n"
              "Lines and columns are counted from 1; a column is one cell of a line.");
    EXPECT_EQ(report.Unreadable(), 8u);
    EXPECT_EQ(report.Skipped(), 10u);
    EXPECT_EQ(report.Values(), 13u);
}

TEST(ImportReport, RulesOfTheFormatAreCountedWithoutPlaces) {
    ImportReport report;
    report.StartInput("rows.txt");
    report.AddValues(2);
    report.Skip(SkipRule::kMissingValue, 1, 2, "-999");
    report.Skip(SkipRule::kMissingValue, 2, 2, "-1000");
    EXPECT_EQ(ImportMessage(report),
              "rows.txt: 2 values read; 2 cells not used:\n"
              "  -999 or less (layout 3 stores nothing for these): 2");
    EXPECT_EQ(report.Unreadable(), 0u);
    EXPECT_FALSE(report.WantsPlace(SkipRule::kMissingValue));
    EXPECT_TRUE(report.WantsPlace(SkipRule::kNotANumber));

    ImportReport empty;
    EXPECT_EQ(ImportMessage(empty), "");
}

}  // namespace
}  // namespace zav
