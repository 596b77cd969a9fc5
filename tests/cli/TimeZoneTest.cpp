// Times are wall-clock times as written: zav-cli started in different time
// zones reads, saves and reports the same project identically, also on the
// days summer time begins and ends there.
#include <gtest/gtest.h>

#include <cstdio>

#include "CliRunner.h"
#include "TestSupport.h"

namespace zav {
namespace {

using test::RunCli;

const char* const kZones[] = {"UTC", "America/New_York", "Australia/Lord_Howe"};

// 96 quarter hours on each day summer time began or ended in 2024 in New
// York (an hour at 02:00) or on Lord Howe Island (half an hour at 02:00).
std::string QuarterHoursOnChangeDays() {
    const std::string heading(26, ' ');
    std::string text = "Quarter hours\r\n" + heading + "DISSOLVD\r\n" + heading + "OXYGEN\r\n" +
                       heading + "MG/L\r\n";
    for (const char* day : {"20240310", "20241103", "20241006", "20240407"}) {
        for (int k = 0; k < 96; ++k) {
            char line[64];
            std::snprintf(line, sizeof line, "%s%02d%02dLAKE-1          %d.25\r\n", day, k / 4,
                          k % 4 * 15, k);
            text += line;
        }
    }
    return text;
}

TEST(CliTimeZones, EveryZoneStoresSavesAndReportsTheSameTimes) {
    test::TempDir dir;
    test::WriteFile(dir.File("quarters.mlv"), QuarterHoursOnChangeDays());
    std::string saved;
    int made = 0;
    for (const char* zone : kZones) {
        test::ScopedTimeZone scoped(zone);
        const std::string project = dir.File("p" + std::to_string(++made) + ".zav");
        ASSERT_EQ(RunCli({"new", project}).exitStatus, 0);
        ASSERT_EQ(RunCli({"add", project, dir.File("quarters.mlv")}).exitStatus, 0) << zone;
        const std::string text = test::ReadFile(project);
        EXPECT_NE(text.find("number of data points = 384\r\n"), std::string::npos) << zone;
        EXPECT_NE(text.find("time = 2024: 3:10: 2:30: 0\r\ndata =10.25\r\n"), std::string::npos)
            << zone;
        EXPECT_NE(text.find("time = 2024:10: 6: 2:15: 0\r\ndata =9.25\r\n"), std::string::npos)
            << zone;
        if (saved.empty()) {
            test::WriteFile(dir.File("first.zav"), text);
            saved = text;
        } else {
            EXPECT_TRUE(test::SameLines(saved, text)) << zone;
        }
    }

    // The project saved in the first zone, reported in every zone.
    std::string first;
    for (const char* zone : kZones) {
        test::ScopedTimeZone scoped(zone);
        std::string out;
        for (const char* unit : {"days", "hours"}) {
            auto r = RunCli({"report", dir.File("first.zav"), "--main", "stations", "--items",
                             "LAKE-1         ", "--other", "DISSOLVD OXYGEN", "--start",
                             "2024-03-10", "--end", "2024-03-11", "--unit", unit, "--values"});
            ASSERT_EQ(r.exitStatus, 0) << zone << r.err;
            out += r.out;
        }
        // The day summer time began holds its own 96 points and no more.
        EXPECT_NE(out.find("Station\t3/10/2024\t3/11/2024\r\nLAKE-1         \t47.75\t-\r\n"),
                  std::string::npos)
            << zone << "\n"
            << out;
        if (first.empty()) {
            first = out;
        } else {
            EXPECT_EQ(out, first) << zone;
        }
    }
}

}  // namespace
}  // namespace zav
