// The regression inputs of tests/data/regressions that the readers once
// took in wrongly: each is read without storing a time a project cannot
// hold, reports what it skipped, and the project saves and reopens alike.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "io/CZAVDoc.h"
#include "io/ImportReport.h"

namespace zav {
namespace {

const char* const kTimeRule =
    "  date or time that cannot be read or is outside the years 1000 to 9999: 1 ";
const char* const kCounting =
    "\nLines and columns are counted from 1; a column is one cell of a line.";

struct Case {
    std::string file;
    int layout;  // 0: an agency file
    std::vector<double> values;
    std::string report;  // after the path
    std::vector<std::string> messages;
};

using RegressionInputsTest = test::DocumentTest;

TEST_F(RegressionInputsTest, ReadSkippingWhatNoProjectCanHoldAndReopenAlike) {
    const std::vector<Case> cases = {
        {"molvan-month-13.mlv",
         0,
         {12.5},
         ": 1 value read; 1 cell not used:\n" + std::string(kTimeRule) +
             "(line 6, column 1: '999913011200STATION1')" + kCounting,
         {}},
        {"spreadsheet-l1-sentinel-9999.csv",
         1,
         {2.5},
         ": 1 value read; 1 cell not used:\n" + std::string(kTimeRule) +
             "(line 4, column 3: '24:00:00, 12/31/9999')" + kCounting,
         {}},
        {"spreadsheet-l1-day-intmin.csv",
         1,
         {},
         ": no value read; 1 cell not used:\n" + std::string(kTimeRule) +
             "(line 3, column 3: '12:00:00, 1/-2147483648/1999')" + kCounting,
         {}},
        {"spreadsheet-l1-day-99999999.csv",
         1,
         {},
         ": no value read; 1 cell not used:\n" + std::string(kTimeRule) +
             "(line 3, column 3: '12:00:00, 1/99999999/1999')" + kCounting,
         {}},
        {"pellidor-water-year-overflow.pld",
         0,
         {},
         "",
         {"Unable to read parameter name, units, and water year from PELLIDOR file.  Line is "
          "'DISCHARGE,CUBIC FEET PER SECOND,WATER YEAR OCTOBER TO SEPTEMBER       2147483648'."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ScriptedUserInterface person;
        CZAVDoc project(person, test::EnvironmentIn(dir));
        const std::string path = test::DataPath("regressions/" + c.file);
        ImportReport report;
        if (c.layout == 0) {
            project.AddAgencyFiles({path}, &report);
        } else {
            SpreadsheetOptions options;
            options.layout = c.layout;
            project.AddSpreadsheetFiles({path}, options, &report);
        }
        EXPECT_EQ(person.messages, c.messages);
        EXPECT_EQ(ImportMessage(report), c.report.empty() ? "" : path + c.report);
        std::vector<double> values;
        for (const DataSource& source : project.FieldManager().Sources()) {
            for (const DataSeries& series : source.series) {
                values.insert(values.end(), series.Values().begin(), series.Values().end());
                for (const KTRTime& time : series.Times()) {
                    EXPECT_TRUE(time.IsValid());
                }
            }
        }
        EXPECT_EQ(values, c.values);

        const std::string saved = dir.File("saved.zav");
        ASSERT_TRUE(project.OnSaveDocument(saved));
        CZAVDoc reopened(person, test::EnvironmentIn(dir));
        ASSERT_TRUE(reopened.OnOpenDocument(saved));
        EXPECT_EQ(reopened.ProjectText(), project.ProjectText());
        EXPECT_EQ(person.messages, c.messages);
    }
}

}  // namespace
}  // namespace zav
