// Project files through the document: saving and opening give back the same
// project, damaged files are refused with the first missing item and change
// nothing, and saving never destroys the previous file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <random>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "TestSupport.h"
#include "io/CZAVDoc.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;
using test::ReadFile;
using test::WriteFile;

class ProjectFileTest : public ::testing::Test {
protected:
    DocumentEnvironment Environment() const { return test::EnvironmentIn(dir); }
    void SetUp() override { WriteFile(dir.File("unitConversions.txt"), "1.8 32 C to F\r\n"); }

    // A project with two sources, both kinds of aggregate and a conversion.
    void Fill(CZAVDoc& doc) {
        ZAVFieldManager& store = doc.FieldManager();
        store.AddSource(MakeSource(
            "one.mlv",
            {MakeSeries("A", "DO", "mg/l", {{KTRTime(1995, 3, 10, 9, 30, 0), 2.25}}),
             MakeSeries("B", "DO", "mg/l", {{KTRTime(1995, 3, 20, 0, 0, 0), 1e-7}}),
             MakeSeries("C", "Temp", "deg F", {{KTRTime(1996, 7, 1, 0, 0, 0), 71.123456789}})}));
        store.AddSource(MakeSource("", {MakeSeries("A", "pH", "su")}));
        store.GetSeries(2).SetMultiplier(1.0 / 3.0);
        store.AddAggregate({"A", "B", "C"}, "Basin", kStationType);
        store.AddAggregate({"DO", "pH"}, "Quality", kParameterType);
        store.SetUnits("deg F", UnitsRecord{"deg F", "deg C", "to Celsius", 5.0 / 9.0, -17.7778});
        doc.SetParseString("VALUE\tSKIP\tSKIP\tSKIP\tSKIP");
    }

    std::string OpenMessage(const std::string& text) {
        WriteFile(dir.File("broken.zav"), text);
        CZAVDoc doc(ui, Environment());
        EXPECT_FALSE(doc.OnOpenDocument(dir.File("broken.zav")));
        return ui.messages.empty() ? "(no message)" : ui.messages.back();
    }

    test::TempDir dir;
    ScriptedUserInterface ui;
};

// A save passes its text to the file in pieces as it formats it; the file
// must be the project text byte for byte, pieces and all, and open again to
// the same project whichever way its blocks were read.
TEST_F(ProjectFileTest, ALargeProjectIsSavedInPiecesExactlyAsItsText) {
    CZAVDoc doc(ui, Environment());
    Fill(doc);
    std::mt19937 random(7);
    for (int s = 0; s < 6; ++s) {
        DataSeries series;
        series.SetStationName("Long " + std::to_string(s));
        series.SetParameterName("DO");
        KTRTime time(1990 + s, 1, 1, 0, 0, 0);
        for (int i = 0; i < 20000; ++i, time = time + 60 * (1 + random() % 90)) {
            series.AppendPoint(time, static_cast<double>(random()) / 3.0 - 1e9, i % 97 == 0);
        }
        doc.FieldManager().AddSource(MakeSource("long" + std::to_string(s) + ".mlv", {series}));
    }
    const std::string text = doc.ProjectText();
    ASSERT_GT(text.size(), 3 * PieceWriter::kPieceBytes);
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("large.zav")));
    EXPECT_EQ(ReadFile(dir.File("large.zav")), text);
    CZAVDoc back(ui, Environment());
    ASSERT_TRUE(back.OnOpenDocument(dir.File("large.zav")));
    EXPECT_EQ(back.ProjectText(), text);
}

TEST_F(ProjectFileTest, SavedProjectReopensExactly) {
    CZAVDoc doc(ui, Environment());
    ASSERT_TRUE(doc.OnNewDocument());
    Fill(doc);
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("p.zav")));
    EXPECT_FALSE(doc.IsModified());

    CZAVDoc back(ui, Environment());
    ASSERT_TRUE(back.OnOpenDocument(dir.File("p.zav")));
    EXPECT_EQ(back.ParseString(), "VALUE\tSKIP\tSKIP\tSKIP\tSKIP");
    const ZAVFieldManager& a = doc.FieldManager();
    const ZAVFieldManager& b = back.FieldManager();
    ASSERT_EQ(b.Sources().size(), 2u);
    ASSERT_EQ(b.SeriesCount(), a.SeriesCount());
    for (int i = 0; i < a.SeriesCount(); ++i) {
        const DataSeries& x = const_cast<ZAVFieldManager&>(a).GetSeries(i);
        const DataSeries& y = const_cast<ZAVFieldManager&>(b).GetSeries(i);
        EXPECT_EQ(y.StationName(), x.StationName());
        EXPECT_EQ(y.Times(), x.Times());
        EXPECT_EQ(y.Values(), x.Values());  // exactly, not to 6 digits
        EXPECT_EQ(y.Multiplier(), x.Multiplier());
    }
    StationInfo basin;
    ASSERT_EQ(b.GetStation("C", basin), 1);
    EXPECT_EQ(basin.alias, "Basin");
    EXPECT_EQ(basin.name, "A");
    EXPECT_EQ(basin.members, (std::vector<std::string>{"B", "C"}));
    ParameterInfo quality;
    ASSERT_EQ(b.GetParameter("pH", quality), 1);
    EXPECT_EQ(quality.alias, "Quality");
    UnitsRecord units;
    ASSERT_EQ(b.GetUnits("deg F", units), 1);
    EXPECT_EQ(units.alias, "deg C");
    EXPECT_EQ(units.comment, "to Celsius");
    EXPECT_EQ(units.multiplier, 5.0 / 9.0);
    EXPECT_EQ(b.UnitsMap().size(), a.UnitsMap().size());
    EXPECT_EQ(back.Conversions().Count(), 1);
    EXPECT_EQ(back.ProjectText(), doc.ProjectText());
    EXPECT_TRUE(ui.messages.empty());
}

// Values that are no numbers never reach the store, so no report or graph
// can show them: the points are treated as missing and one message says
// how many there were and where.
TEST_F(ProjectFileTest, StoredValuesThatAreNotNumbersAreLeftOutAndTold) {
    CZAVDoc doc(ui, Environment());
    doc.FieldManager().AddSource(
        MakeSource("a.mlv", {MakeSeries("A", "DO", "mg/l",
                                        {{KTRTime(1995, 3, 10, 0, 0, 0), 1.5},
                                         {KTRTime(1995, 3, 11, 0, 0, 0), 2.5},
                                         {KTRTime(1995, 3, 12, 0, 0, 0), 3.5}})}));
    std::string text = doc.ProjectText();
    auto lineOf = [&text](const std::string& item) {
        const size_t at = text.find(item);
        return std::to_string(1 + std::count(text.begin(), text.begin() + at, '\n'));
    };
    text.replace(text.find("multiplier =1"), 13, "multiplier =nan");
    text.replace(text.find("data =2.5"), 9, "data =nan");
    text.replace(text.find("data =3.5"), 9, "data =-inf");
    text.replace(text.find("units multiplier =1"), 19, "units multiplier =inf");
    const std::string path = dir.File("nan.zav");
    WriteFile(path, text);

    CZAVDoc opened(ui, Environment());
    ASSERT_TRUE(opened.OnOpenDocument(path));
    const DataSeries& series = opened.FieldManager().GetSeries(0);
    EXPECT_EQ(series.Values(), (std::vector<double>{1.5}));
    EXPECT_EQ(series.Multiplier(), 1.0);
    UnitsRecord units;
    ASSERT_EQ(opened.FieldManager().GetUnits("mg/l", units), 1);
    EXPECT_EQ(units.multiplier, 1.0);
    EXPECT_EQ(
        ui.messages,
        (std::vector<std::string>{
            path + ": 1 value read; 4 cells not used:\n  not a number: 4 (line " +
            lineOf("multiplier =nan") + ": 'nan'; line " + lineOf("data =nan") + ": 'nan'; line " +
            lineOf("data =-inf") + ": '-inf'; line " + lineOf("units multiplier =inf") +
            ": 'inf')\nLines and columns are counted from 1; a column is one cell of a "
            "line."}));

    // What was loaded saves and reads back as it is, without a word.
    ASSERT_TRUE(opened.OnSaveDocument(path));
    ui.messages.clear();
    CZAVDoc back(ui, Environment());
    ASSERT_TRUE(back.OnOpenDocument(path));
    EXPECT_EQ(back.ProjectText(), opened.ProjectText());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProjectFileTest, TheExampleProjectRoundTripsByteForByte) {
    CZAVDoc doc(ui, Environment());
    ASSERT_TRUE(doc.OnOpenDocument(test::DataPath("../../examples/sample.zav")));
    EXPECT_EQ(doc.ProjectText(), ReadFile(test::DataPath("../../examples/sample.zav")));
}

TEST_F(ProjectFileTest, AnEmptyProjectHasItsFixedForm) {
    CZAVDoc doc(ui, Environment());
    EXPECT_EQ(doc.ProjectText(),
              "spreaadsheetParseString =MM/DD/[YY]YY\tVALUE\tSKIP\tSKIP\tSKIP\r\n"
              "number of files =0\r\n"
              "\r\n"
              "number of aggregated stations =0\r\n"
              "\r\n"
              "number of aggregated parameters =0\r\n"
              "\r\n"
              "number of units =0\r\n");
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("empty.zav")));
    CZAVDoc back(ui, Environment());
    ASSERT_TRUE(back.OnOpenDocument(dir.File("empty.zav")));
    EXPECT_EQ(back.FieldManager().SeriesCount(), 0);
}

TEST_F(ProjectFileTest, EveryCutNamesTheFirstMissingItem) {
    CZAVDoc doc(ui, Environment());
    Fill(doc);
    const std::string text = doc.ProjectText();
    auto cutBefore = [&](const std::string& item, size_t from = 0) {
        return OpenMessage(text.substr(0, text.find(item, from)));
    };
    EXPECT_EQ(OpenMessage("hello\r\n"),
              "Parse error: unable to find header 'spreaadsheetParseString ='");
    EXPECT_EQ(cutBefore("number of files"),
              "Parse error: unable to find header 'number of files ='");
    EXPECT_EQ(cutBefore("filename"), "Parse error: unable to find header 'filename ='");
    EXPECT_EQ(cutBefore("number of stations ="),
              "Parse error: unable to find header 'number of stations ='");
    EXPECT_EQ(cutBefore("station location"),
              "Parse error: unable to find header 'station location ='");
    EXPECT_EQ(cutBefore("number of aggregated stations"),
              "Parse error: unable to find header 'number of aggregated stations ='");
    EXPECT_EQ(cutBefore("aggregate name"),
              "Parse error: unable to find header 'number of aggregated stations ='");
    EXPECT_EQ(cutBefore("number of stations in aggregate"),
              "Parse error: unable to find header 'number of stations in aggregate ='");
    EXPECT_EQ(cutBefore("number of aggregated parameters"),
              "Parse error: unable to find header 'number of aggregated parameters ='");
    EXPECT_EQ(cutBefore("aggregate name", text.find("number of aggregated parameters")),
              "Parse error: unable to find header 'number of aggregated params ='");
    EXPECT_EQ(cutBefore("number of parameters in aggregate"),
              "Parse error: unable to find header 'number of parameters in aggregate ='");
    EXPECT_EQ(cutBefore("number of units"),
              "Parse error: unable to find header 'number of units ='");
    for (const char* item :
         {"units name", "units alias", "units comment", "units multiplier", "units offset"}) {
        EXPECT_EQ(cutBefore(item),
                  std::string("Parse error: unable to find header '") + item + " ='");
    }
}

TEST_F(ProjectFileTest, AFailedOpenLeavesTheDocumentAsItWas) {
    CZAVDoc doc(ui, Environment());
    Fill(doc);
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("good.zav")));
    std::string before = doc.ProjectText();
    std::string good = ReadFile(dir.File("good.zav"));
    WriteFile(dir.File("cut.zav"), good.substr(0, good.size() / 2));
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("cut.zav")));
    EXPECT_EQ(doc.ProjectText(), before);
    EXPECT_EQ(doc.PathName(), dir.File("good.zav"));
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("missing.zav")));
    EXPECT_EQ(ui.messages.back(), "Unable to open " + dir.File("missing.zav") + " for reading.");
}

TEST_F(ProjectFileTest, CountsAreReadAsTheFileGivesThem) {
    const std::string head = "spreaadsheetParseString =x\r\nnumber of files =0\r\n\r\n";
    const std::string twoStations =
        "spreaadsheetParseString =x\r\nnumber of files =1\r\nfilename =f\r\n"
        "number of stations =2\r\n"
        "station name =A\r\nstation location =\r\nparameter =P\r\nunits =u\r\n"
        "multiplier =1\r\noffset =0\r\nnumber of data points = 0\r\n"
        "station name =B\r\nstation location =\r\nparameter =P\r\nunits =u\r\n"
        "multiplier =1\r\noffset =0\r\nnumber of data points = 0\r\n\r\n";
    // Trailing blanks on a member count line do not change the members read.
    WriteFile(dir.File("a.zav"), twoStations +
                                     "number of aggregated stations =1\r\n"
                                     "aggregate name =G\r\n"
                                     "number of stations in aggregate =2   \r\n"
                                     "A\r\nB\r\n\r\n"
                                     "number of aggregated parameters =0\r\n\r\n"
                                     "number of units =0\r\n");
    CZAVDoc doc(ui, Environment());
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("a.zav")));
    std::vector<IndexInfo> infos;
    std::vector<std::string> aliases;
    doc.FieldManager().GetAggregates(infos, aliases, kStationType);
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_EQ(infos[0].name, "A");
    EXPECT_EQ(infos[0].members, (std::vector<std::string>{"B"}));
    EXPECT_TRUE(doc.FieldManager().UnitsMap().empty());
    // Hostile counts end with the file, quickly, naming the next item.
    EXPECT_EQ(OpenMessage(head.substr(0, head.find("0\r\n")) + "2147483647\r\n"),
              "Parse error: unable to find header 'filename ='");
    EXPECT_EQ(OpenMessage(head + "number of aggregated stations =1\r\naggregate name =G\r\n"
                                 "number of stations in aggregate =2000000000\r\nA\r\n"),
              "Parse error: unable to find header 'number of aggregated parameters ='");
    EXPECT_EQ(OpenMessage(head + "number of aggregated stations =0\r\n"
                                 "number of aggregated parameters =0\r\n"
                                 "number of units =1000000000\r\n"),
              "Parse error: unable to find header 'units name ='");
}

TEST_F(ProjectFileTest, BinaryJunkIsRefusedWithoutHarm) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        std::string junk(1 + random() % 4000, '\0');
        for (char& c : junk) {
            c = static_cast<char>(random());
        }
        if (round % 2 == 0) {
            junk = "spreaadsheetParseString =x\r\nnumber of files =1\r\n" + junk;
        }
        OpenMessage(junk);
    }
    EXPECT_EQ(ui.messages.size(), 50u);
}

TEST_F(ProjectFileTest, DamagedCopiesOfARealProjectOpenOrFailCleanly) {
    const std::string original = ReadFile(test::DataPath("../../examples/sample.zav"));
    std::mt19937 random(11);
    for (int round = 0; round < 60; ++round) {
        std::string text = original.substr(0, random() % original.size());
        for (int flips = random() % 20; flips > 0 && !text.empty(); --flips) {
            text[random() % text.size()] = static_cast<char>(random());
        }
        WriteFile(dir.File("damaged.zav"), text);
        CZAVDoc doc(ui, Environment());
        if (doc.OnOpenDocument(dir.File("damaged.zav"))) {
            // Whatever was read must save again.
            EXPECT_FALSE(doc.ProjectText().empty());
        }
    }
}

TEST_F(ProjectFileTest, SavingIntoAFolderOrAMissingFolderFailsAndKeepsTheOldFile) {
    CZAVDoc doc(ui, Environment());
    Fill(doc);
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.OnSaveDocument(dir.Path()));
    EXPECT_EQ(ui.messages.back(), dir.Path() + " is a folder, not a file.");
    EXPECT_FALSE(doc.OnSaveDocument(dir.File("no/such/folder/p.zav")));
    EXPECT_EQ(ui.messages.back(),
              "Unable to open " + dir.File("no/such/folder/p.zav") + " for writing.");
    EXPECT_TRUE(doc.IsModified());
    WriteFile(dir.File("old.zav"), "precious");
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("old.zav")));
    EXPECT_EQ(ReadFile(dir.File("old.zav")), doc.ProjectText());
    // No temporary is left beside it.
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        EXPECT_EQ(entry.path().filename().string().find(".zav-saving"), std::string::npos);
    }
}

TEST_F(ProjectFileTest, NewDocumentsReadTheStandardConversions) {
    CZAVDoc doc(ui, Environment());
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(doc.Conversions().Count(), 1);
    EXPECT_EQ(doc.Conversions().Name(0), "C to F");
    DocumentEnvironment nowhere = Environment();
    nowhere.programDir = dir.File("none/");
    CZAVDoc lonely(ui, nowhere);
    EXPECT_TRUE(lonely.OnNewDocument());
    EXPECT_EQ(ui.messages.back(),
              "Unable to open " + dir.File("none/") + "unitConversions.txt for reading.");
    EXPECT_EQ(lonely.Conversions().Count(), 0);
}

class CountingObserver : public DocumentObserver {
public:
    explicit CountingObserver(CZAVDoc* removeFrom = nullptr) : m_doc(removeFrom) {}
    void OnDocumentUpdate(int hint) override {
        hints.push_back(hint);
        if (m_doc) {
            m_doc->RemoveObserver(this);
        }
    }
    std::vector<int> hints;

private:
    CZAVDoc* m_doc;
};

TEST_F(ProjectFileTest, NotifyViewsTellsEveryObserver) {
    CZAVDoc doc(ui, Environment());
    CountingObserver leaving(&doc);
    CountingObserver staying;
    doc.AddObserver(&leaving);
    doc.AddObserver(&staying);
    doc.NotifyViews(HintDataChanged);
    doc.NotifyViews(HintAggregatesChanged);
    EXPECT_EQ(leaving.hints, (std::vector<int>{1}));
    EXPECT_EQ(staying.hints, (std::vector<int>{1, 2}));
}

TEST_F(ProjectFileTest, WorkingDirectoryRule) {
    char original[PATH_MAX];
    ASSERT_NE(getcwd(original, sizeof original), nullptr);
    ASSERT_EQ(::mkdir(dir.File("bin").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.File("examples").c_str(), 0755), 0);
    ApplyWorkingDirectoryRule("", dir.File("bin/../examples"));
    char now[PATH_MAX];
    EXPECT_EQ(std::string(getcwd(now, sizeof now)), dir.File("examples"));
    ApplyWorkingDirectoryRule(dir.File("bin"), "/nowhere/");
    EXPECT_EQ(std::string(getcwd(now, sizeof now)), dir.File("bin"));
    ApplyWorkingDirectoryRule(dir.File("missing"), "/nowhere/");
    EXPECT_EQ(std::string(getcwd(now, sizeof now)), dir.File("bin"));
    ASSERT_EQ(::chdir(original), 0);
}

}  // namespace
}  // namespace zav
