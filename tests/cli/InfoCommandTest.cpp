// zav-cli new and info, run as a user runs them.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "TestSupport.h"

namespace zav {
namespace {

using test::RunCli;

TEST(CliInfo, DescribesTheExampleProject) {
    auto r = RunCli({"info", test::DataPath("../../examples/sample.zav")});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_NE(r.out.find("Sources (2):\n  field-samples-1994-1998.mlv\t12 series\n"
                         "  gauges-daily-1994-1998.pld\t2 series\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Parameters (4):\n  Discharge (cfs)\n"), std::string::npos);
    EXPECT_NE(r.out.find("  deg F -> deg C\tx 0.555556 + -17.7778\tshown in degrees Celsius\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("Station aggregates (1):\n  Lake 3 basin: Lake 3, North Inlet\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("Date range: 1994-01-01 to 1998-12-31\n"), std::string::npos);
}

TEST(CliInfo, JsonHoldsTheSameFacts) {
    auto r = RunCli({"info", test::DataPath("../../examples/sample.zav"), "--json"});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"project\":", 0), 0u);
    EXPECT_NE(r.out.find("{\"alias\":\"Lake 3 basin\",\"members\":[\"Lake 3\",\"North Inlet\"]}"),
              std::string::npos);
    EXPECT_NE(r.out.find("\"dateRange\":{\"first\":\"1994-01-01\",\"last\":\"1998-12-31\"}"),
              std::string::npos);
}

TEST(CliInfo, ADamagedProjectPrintsTheFirstMissingItemAndFails) {
    test::TempDir dir;
    std::string text = test::ReadFile(test::DataPath("../../examples/sample.zav"));
    test::WriteFile(dir.File("cut.zav"), text.substr(0, text.find("mask =", 5000)));
    auto r = RunCli({"info", dir.File("cut.zav")});
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Parse error: unable to find header 'mask ='\n");
    auto missing = RunCli({"info", dir.File("none.zav")});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_EQ(missing.err, "Unable to open " + dir.File("none.zav") + " for reading.\n");
}

TEST(CliNew, WritesAnEmptyProjectThatInfoReads) {
    test::TempDir dir;
    auto made = RunCli({"new", dir.File("p.zav")});
    EXPECT_EQ(made.exitStatus, 0) << made.err;
    auto r = RunCli({"info", dir.File("p.zav")});
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_NE(r.out.find("Sources (0):\n"), std::string::npos);
    EXPECT_NE(r.out.find("Date range: none\nPoints: 0\n"), std::string::npos);
    EXPECT_EQ(RunCli({"info"}).exitStatus, 2);
    EXPECT_EQ(RunCli({"frobnicate"}).exitStatus, 2);
}

}  // namespace
}  // namespace zav
