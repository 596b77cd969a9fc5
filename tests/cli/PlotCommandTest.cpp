// zav-cli plot on tests/data/report.zav: the files it draws hold the series
// and labels asked for; wrong options are usage errors, and a failure
// leaves an existing file alone.
#include <gtest/gtest.h>

#include <sstream>

#include "CliRunner.h"
#include "TestSupport.h"

namespace zav {
namespace {

using CliRun = test::CliResult;

const char* const kQuarter =
    "--start 1995-01-01 --end 1995-03-31 --unit days --main stations --other DO ";

// `options` are words separated by single blanks.
CliRun Plot(const std::string& options) {
    std::vector<std::string> words = {"plot", test::DataPath("report.zav")};
    std::istringstream in(options);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return test::RunCli(words);
}

// Whether the SVG text holds `text` as one text element.
bool HasText(const std::string& svg, const std::string& text) {
    return svg.find(">" + text + "</text>") != std::string::npos;
}

TEST(PlotCommandTest, SvgHoldsTheSeriesAndLabelsOfEachStyle) {
    test::TempDir dir;
    struct Case {
        const char* options;
        std::vector<std::string> texts;
    } cases[] = {
        // Every station's page, one above the other.
        {"--items North,South --values",
         {"North", "South", "Max", "Min", "Mean", "mg/l", "Time", "1/12/1995", "10"}},
        {"--items North,South --values --style mean --threshold 6.5",
         {"DO", "North", "South", "Threshold", "mg/l"}},
        {"--items North,Basin --values --style points --threshold 6.5",
         {"DO", "North", "Basin", "Threshold", "mg/l", "2/9/1995"}},
        {"--items North,South,Basin --style heatmap",
         // South and Basin have too few values in the quarter for a step.
         {"DO", "North", "South (1/0)", "Basin (1/0)",
          "Coverage (%); rows marked (1/0): 1 data, 0 none", "100", "50", "0"}},
        // Against a day every row has coverage.
        {"--items North,South,Basin --style heatmap --expected-step 1d --year-start oct",
         {"DO", "North", "South", "Basin", "Coverage (%)", "100", "50", "0"}},
        {"--items North,South", {"DO", "North", "South", "Availability"}},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File("graph.svg");
        CliRun run = Plot(std::string(kQuarter) + c.options + " -o " + path + " --size 900x500");
        EXPECT_EQ(run.exitStatus, 0) << c.options << run.err;
        EXPECT_EQ(run.out, "Wrote " + path + " (900x500)\n");
        const std::string svg = test::ReadFile(path);
        EXPECT_NE(svg.find("viewBox=\"0 0 900 500\""), std::string::npos) << c.options;
        for (const std::string& text : c.texts) {
            EXPECT_TRUE(HasText(svg, text)) << c.options << ": " << text;
        }
    }
}

TEST(PlotCommandTest, PngAndPdfAreWritten) {
    test::TempDir dir;
    for (const char* name : {"graph.png", "graph.PDF"}) {
        const std::string path = dir.File(name);
        CliRun run = Plot(std::string(kQuarter) + "--items North --values -o " + path);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        const std::string bytes = test::ReadFile(path);
        const std::string magic = name[6] == 'p' ? "\x89PNG" : "%PDF";
        EXPECT_EQ(bytes.substr(0, magic.size()), magic) << name;
    }
}

TEST(PlotCommandTest, OptionsThatMakeNoGraphAreUsageErrors) {
    test::TempDir dir;
    const std::string out = " -o " + dir.File("g.svg");
    struct Case {
        std::string options;
        std::string message;
    } cases[] = {
        {"--items North --values", "plot needs -o OUT.png|OUT.svg|OUT.pdf"},
        {"--items North --values -o " + dir.File("g.gif"),
         "-o takes a file ending in .png, .svg or .pdf"},
        {"--items North --values --size 800" + out, "--size takes WIDTHxHEIGHT, each 64 to 10000"},
        {"--items North --values --size 20x600" + out,
         "--size takes WIDTHxHEIGHT, each 64 to 10000"},
        {"--items North --style bars" + out, "--style takes max-mean-min, mean, points or heatmap"},
        {"--items North --style points" + out,
         "--style points draws values: it needs --values and --main stations"},
        {"--items North --threshold 3" + out,
         "--threshold draws over values: it needs --values and --main stations"},
        {"--items North --values --threshold x3" + out, "--threshold takes a number"},
        {"--items North --style heatmap --year-start 13" + out,
         "--year-start takes a month: 1 to 12, or jan to dec"},
        {"--items North --style heatmap --expected-step 1.5h" + out,
         "--expected-step takes a step such as 15min, 1h or 1d"},
    };
    for (const Case& c : cases) {
        CliRun run = Plot(std::string(kQuarter) + c.options);
        EXPECT_EQ(run.exitStatus, 2) << c.options;
        EXPECT_EQ(run.err, "zav-cli: " + c.message + "\nRun zav-cli --help for the commands.\n");
    }
}

TEST(PlotCommandTest, FailuresLeaveTheFileAlone) {
    test::TempDir dir;
    const std::string path = dir.File("kept.svg");
    test::WriteFile(path, "old");
    CliRun unknown = Plot(std::string(kQuarter) + "--items Nowhere --values -o " + path);
    EXPECT_EQ(unknown.exitStatus, 1);
    EXPECT_EQ(unknown.err, "The project has no station \"Nowhere\".\n");
    // No value of the span: nothing to draw point by point.
    CliRun empty = Plot(
        "--start 1996-01-01 --end 1996-03-31 --unit days --main stations --other DO "
        "--items North --values --style points -o " +
        path);
    EXPECT_EQ(empty.exitStatus, 1);
    EXPECT_EQ(empty.err, "No values of the selection lie in the span: nothing to draw.\n");
    EXPECT_EQ(test::ReadFile(path), "old");

    CliRun nowhere =
        Plot(std::string(kQuarter) + "--items North --values -o " + dir.File("no/such/g.svg"));
    EXPECT_EQ(nowhere.exitStatus, 1);
    EXPECT_NE(nowhere.err.find("Unable to write " + dir.File("no/such/g.svg")), std::string::npos);
}

}  // namespace
}  // namespace zav
