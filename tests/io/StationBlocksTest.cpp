// Station and data source blocks: what is written reads back exactly, and
// a damaged block names the first missing item.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/InputError.h"
#include "core/TextFormat.h"
#include "io/ImportReport.h"
#include "io/StationBlocks.h"

namespace zav {
namespace {

DataSeries SampleSeries() {
    DataSeries s;
    s.SetStationName("Lake 3 = north arm");
    s.SetStationLocation("at the dam");
    s.SetParameterName("Dissolved oxygen");
    s.SetUnits("mg/l");
    s.SetMultiplier(0.45359237);
    s.SetOffset(-17.7778);
    s.InsertPoint(KTRTime(1998, 3, 7, 14, 5, 0), 12.5, 0);
    s.InsertPoint(KTRTime(2004, 2, 29, 0, 0, 0), 1234567.891, 3);
    s.InsertPoint(KTRTime(1905, 1, 5, 23, 59, 59), -999.9, 0);
    return s;
}

std::string MessageOf(const std::string& text) {
    TextReader in(text);
    DataSeries s;
    ImportReport report;
    try {
        ReadSeriesBlock(in, s, report);
    } catch (const InputError& e) {
        return e.Message();
    }
    return "(no error)";
}

TEST(SeriesBlock, WritesTheItemsExactly) {
    std::string out;
    WriteSeriesBlock(out, SampleSeries());
    EXPECT_EQ(out,
              "station name =Lake 3 = north arm\r\n"
              "station location =at the dam\r\n"
              "parameter =Dissolved oxygen\r\n"
              "units =mg/l\r\n"
              "multiplier =0.45359237\r\n"
              "offset =-17.7778\r\n"
              "number of data points = 3\r\n"
              "time = 1905: 1: 5:23:59:59\r\n"
              "data =-999.9\r\n"
              "mask =0\r\n"
              "time = 1998: 3: 7:14: 5: 0\r\n"
              "data =12.5\r\n"
              "mask =0\r\n"
              "time = 2004: 2:29: 0: 0: 0\r\n"
              "data =1234567.891\r\n"
              "mask =3\r\n");
}

TEST(SeriesBlock, ReadsBackEveryFieldExactly) {
    DataSeries original = SampleSeries();
    std::string out;
    WriteSeriesBlock(out, original);
    TextReader in(out);
    DataSeries back;
    ImportReport report;
    ReadSeriesBlock(in, back, report);
    EXPECT_EQ(back.StationName(), original.StationName());
    EXPECT_EQ(back.StationLocation(), original.StationLocation());
    EXPECT_EQ(back.ParameterName(), original.ParameterName());
    EXPECT_EQ(back.Units(), original.Units());
    EXPECT_EQ(back.Multiplier(), original.Multiplier());
    EXPECT_EQ(back.Offset(), original.Offset());
    EXPECT_EQ(back.Times(), original.Times());
    EXPECT_EQ(back.Values(), original.Values());
    EXPECT_EQ(back.Masks(), original.Masks());
}

TEST(SeriesBlock, ToleratesBlankLinesLfEndingsAndEmptySeries) {
    TextReader in(
        "\n\nstation name =S\nstation location =\n\nparameter =P\nunits =u\n"
        "multiplier =1\noffset =0\nnumber of data points = 0\n");
    DataSeries s;
    ImportReport report;
    ReadSeriesBlock(in, s, report);
    EXPECT_EQ(s.StationName(), "S");
    EXPECT_EQ(s.StationLocation(), "");
    EXPECT_EQ(s.Size(), 0u);
}

TEST(SeriesBlock, PointsOutOfOrderAreSortedStably) {
    TextReader in(
        "station name =S\nstation location =\nparameter =P\nunits =u\nmultiplier =1\n"
        "offset =0\nnumber of data points = 3\n"
        "time = 1996: 1: 1: 0: 0: 0\ndata =3\nmask =0\n"
        "time = 1995: 1: 1: 0: 0: 0\ndata =1\nmask =0\n"
        "time = 1995: 6: 1: 0: 0: 0\ndata =2\nmask =0\n");
    DataSeries s;
    ImportReport report;
    ReadSeriesBlock(in, s, report);
    EXPECT_EQ(s.Values(), (std::vector<double>{1, 2, 3}));
}

// What reading a block of `points` point lines gives: each point, the
// report, the error and how much text was left.
std::string PointsOutcome(TextReader& in) {
    DataSeries s;
    ImportReport report;
    report.StartInput("p");
    std::string out;
    try {
        ReadSeriesBlock(in, s, report);
    } catch (const InputError& e) {
        out = e.Message() + "; ";
    }
    for (size_t i = 0; i < s.Size(); ++i) {
        out += s.Times()[i].ToText() + "=" + FormatG(s.Values()[i]) + "/" +
               std::to_string(s.Masks()[i]) + " ";
    }
    return out + ImportMessage(report) + "; failed " + std::to_string(in.Failed()) + "; left " +
           std::to_string(in.Remaining());
}

// Points as a save writes them are read by a shortcut; every other shape the
// reading has always taken must still read the same, wherever the pieces of
// a file end.
TEST(SeriesBlock, PointLinesInEveryShapeReadTheSameWhereverPiecesEnd) {
    struct Case {
        const char* points;
        int count;
        const char* expected;
    };
    const Case cases[] = {
        {"time = 2000: 1: 2: 3: 4: 5\r\ndata =1.5\r\nmask =0\r\n"
         "time = 2000: 1: 2: 3: 4: 6\r\ndata =-2e-3\r\nmask =7\r\n",
         2,
         " 1/ 2/2000  3:04:05=1.5/0  1/ 2/2000  3:04:06=-0.002/7 p: no value read.; failed 0; left "
         "2"},
        {"time = 2000: 1: 2: 3: 4: 5\ndata =1.5\nmask =0\n", 1,
         " 1/ 2/2000  3:04:05=1.5/0 p: no value read.; failed 0; left 1"},
        {"time =2000: 1: 2: 3: 4: 5 \r\n  data = 1.5  \r\nmask = 7 \r\n", 1,
         " 1/ 2/2000  3:04:05=1.5/7 p: no value read.; failed 0; left 3"},
        {"time = 2000: 1: 2: 3: 4: 5\r\ndata =\r\n1.5\r\nmask =\r\n\r\n2\r\n", 1,
         " 1/ 2/2000  3:04:05=1.5/2 p: no value read.; failed 0; left 2"},
        {"point time = 2000: 1: 2: 3: 4: 5\r\nthe data =1.5junk\r\nmask =3x\r\n"
         "time = 2000: 1: 2: 3: 4: 6\r\ndata =4\r\nmask =0",
         2,
         " 1/ 2/2000  3:04:05=1.5/3  1/ 2/2000  3:04:06=4/0 p: no value read.; failed 0; left 0"},
        {"time = 2000: 1: 2: 3: 4: 5\r\ndata =nan\r\nmask =0\r\n"
         "time = 2000: 1: 2: 3: 4: 6\r\ndata =inf\r\nmask =0\r\n",
         2,
         "p: no value read; 2 cells not used:\n  not a number: 2 (line 9: 'nan'; line 12: 'inf')\n"
         "Lines and columns are counted from 1; a column is one cell of a line.; failed 0; left 2"},
        {"time = 2000: 1: 2: 3: 4: 5\r\ndata =1e400\r\nmask =0\r\n", 1,
         "p: no value read; 1 cell not used:\n  not a number: 1 (line 9: 'inf')\n"
         "Lines and columns are counted from 1; a column is one cell of a line.; failed 0; left 2"},
        {"time = 2000:13: 2: 3: 4: 5\r\ndata =1\r\nmask =0\r\n", 1,
         " 1/ 2/2001  3:04:05=1/0 p: no value read.; failed 0; left 2"},
        {"time = 2000: 1: 2: 3: 4: 5\r\ndata =1\r\nmask =99999999999\r\n", 1,
         " 1/ 2/2000  3:04:05=1/0 p: no value read.; failed 1; left 13"},
        {"time = 2000: 1: 2: 3: 4: 5\r\ndata =1\r\n", 1,
         "Parse error: unable to find header 'mask ='; p: no value read.; failed 1; left 2"},
        {"time = 2000: 1: 2: 3: 4: 5\r\ndata =1\r\nmask =0\r\n", 2,
         "Parse error: unable to find header 'time ='; p: no value read.; failed 1; left 2"},
        {"time = 2000: 1: 2: 3: 4: 5\r\ndata =x\r\nmask =0\r\n", 1,
         "Parse error: unable to find header 'mask ='; p: no value read.; failed 1; left 12"},
    };
    test::TempDir dir;
    const std::string path = dir.File("points.zav");
    for (const Case& c : cases) {
        const std::string text =
            "station name =S\r\nstation location =\r\nparameter =P\r\nunits =u\r\n"
            "multiplier =1\r\noffset =0\r\nnumber of data points = " +
            std::to_string(c.count) + "\r\n" + c.points;
        SCOPED_TRACE(c.points);
        TextReader whole(text);
        EXPECT_EQ(PointsOutcome(whole), c.expected);
        test::WriteFile(path, text);
        for (size_t piece : {size_t{1}, size_t{5}, size_t{64}}) {
            TextReader in;
            in.SetPieceSize(piece);
            ASSERT_EQ(in.OpenFile(path), ReadResult::kOk);
            EXPECT_EQ(PointsOutcome(in), c.expected) << "pieces of " << piece;
        }
    }
}

TEST(SeriesBlock, DamageNamesTheFirstMissingItem) {
    std::string full;
    WriteSeriesBlock(full, SampleSeries());
    EXPECT_EQ(MessageOf(""), "Parse error: unable to find header 'station name ='");
    EXPECT_EQ(MessageOf(full.substr(0, full.find("units ="))),
              "Parse error: unable to find header 'units ='");
    // Cut inside the points: the next point item is missing.
    EXPECT_EQ(MessageOf(full.substr(0, full.rfind("data ="))),
              "Parse error: unable to find header 'data ='");
    EXPECT_EQ(MessageOf(full.substr(0, full.rfind("mask ="))),
              "Parse error: unable to find header 'mask ='");
    // A value that is not a number surfaces at the next item.
    std::string bad = full;
    bad.replace(bad.find("data =12.5"), 10, "data =oops");
    EXPECT_EQ(MessageOf(bad), "Parse error: unable to find header 'mask ='");
    std::string badTime = full;
    badTime.replace(badTime.find("1998: 3: 7"), 10, "March 7th ");
    EXPECT_EQ(MessageOf(badTime), "Parse error: unable to read the time 'March 7th :14: 5: 0'");
}

TEST(SeriesBlock, AHostileCountFailsQuicklyWithoutReserving) {
    // Two billion points promised, none present.
    EXPECT_EQ(MessageOf("station name =S\nstation location =\nparameter =P\nunits =u\n"
                        "multiplier =1\noffset =0\nnumber of data points = 2000000000\n"),
              "Parse error: unable to find header 'time ='");
}

TEST(SourceBlock, RoundTripsAndRefusesAHostileSeriesCount) {
    DataSource source;
    source.fileName = "/data/lake.mlv";
    source.series = {SampleSeries(), DataSeries()};
    std::string out;
    WriteSourceBlock(out, source);
    EXPECT_EQ(out.substr(0, out.find("station name")),
              "filename =/data/lake.mlv\r\nnumber of stations =2\r\n");
    TextReader in(out);
    DataSource back;
    ImportReport report;
    ReadSourceBlock(in, back, report);
    EXPECT_EQ(back.fileName, source.fileName);
    ASSERT_EQ(back.series.size(), 2u);
    EXPECT_EQ(back.series[0].Values(), source.series[0].Values());

    TextReader hostile("filename =x\nnumber of stations =2147483647\n");
    DataSource none;
    try {
        ReadSourceBlock(hostile, none, report);
        FAIL() << "no error";
    } catch (const InputError& e) {
        EXPECT_EQ(e.Message(), "Parse error: unable to find header 'station name ='");
    }
}

TEST(SourceBlock, FindSeriesFromSearchesAroundThePosition) {
    DataSource source;
    for (const char* station : {"A", "B", "C"}) {
        DataSeries s;
        s.SetStationName(station);
        s.SetParameterName("P");
        source.series.push_back(s);
    }
    int position = 2;
    DataSeries* found = source.FindSeriesFrom("A", "P", position);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(source.FindSeriesFrom("C", "P", position), &source.series[2]);
    EXPECT_EQ(position, 2);
    EXPECT_EQ(source.FindSeriesFrom("C", "p", position), nullptr);
    EXPECT_EQ(position, 0);
    DataSource empty;
    position = 5;
    EXPECT_EQ(empty.FindSeriesFrom("A", "P", position), nullptr);
    EXPECT_EQ(position, 0);
}

}  // namespace
}  // namespace zav
