// A UTF-8 byte-order mark before the first line, as editors and spreadsheet
// programs write it: every reader reads such a text exactly as without it.
#include <gtest/gtest.h>

#include <functional>

#include "AgencyText.h"
#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "io/CZAVDoc.h"
#include "io/ConversionTable.h"
#include "io/ImportReport.h"
#include "io/MolvanReader.h"
#include "io/ParsedColumns.h"
#include "io/PellidorReader.h"
#include "io/Spreadsheet.h"

namespace zav {
namespace {

const std::string kMark = "\xEF\xBB\xBF";

// Station, parameter, times and values of every series, and the number of
// cells the read did not use.
std::string Describe(const std::vector<DataSeries>& series, const ImportReport& report) {
    std::string text;
    for (const DataSeries& s : series) {
        text += s.StationName() + "|" + s.ParameterName() + ":";
        for (size_t i = 0; i < s.Size(); ++i) {
            text += " " + s.Time(i).ToStoredForm() + "=" + std::to_string(s.Value(i));
        }
        text += "\n";
    }
    return text + "skipped " + std::to_string(report.Skipped());
}

using Reader = std::function<std::string(const std::string& text)>;

std::string ReadSheet(const std::string& text, int layout) {
    DataSource source;
    ScriptedUserInterface ui;
    ImportReport report;
    SpreadsheetOptions options;
    options.layout = layout;
    ReadSpreadsheetText(source, text, options, ui, report);
    return Describe(source.series, report);
}

class ByteOrderMarkTest : public test::DocumentTest {
protected:
    void Expect(const std::string& name, const Reader& read, const std::string& text) {
        const std::string plain = read(text);
        EXPECT_EQ(read(kMark + text), plain) << name;
    }
};

TEST_F(ByteOrderMarkTest, EveryReaderReadsTheTextAsWithoutIt) {
    Expect(
        "MOLVAN",
        [](const std::string& text) {
            DataSource source;
            ScriptedUserInterface person;
            ImportReport report;
            ReadMolvanText(source, text, "lake.mlv", person, report);
            return Describe(source.series, report);
        },
        test::MolvanHeadings({"WATER"}, {"TEMP"}, {"DEG C"}) +
            test::MolvanLine("199503011030", "KESTREL-01", {"4.5"}));
    Expect(
        "PELLIDOR",
        [](const std::string& text) {
            DataSource source;
            ScriptedUserInterface person;
            ImportReport report;
            ReadPellidorText(source, text, "river.pld", person, report);
            return Describe(source.series, report);
        },
        test::PellidorBlock("01234500", "RAVEN", "DISCHARGE", "CFS", 1999, {{1, 0, "12"}}));
    // Layout 1's station line and layout 3's first date are the first text.
    Expect(
        "layout 1", [](const std::string& text) { return ReadSheet(text, 1); },
        "Kestrel Pond\r\n\r\n1, 2.5, 10:00:00, 1/5/99\r\n");
    Expect(
        "layout 2", [](const std::string& text) { return ReadSheet(text, 2); },
        "1/1/1999,1/1/1999,1/2/1999\r\nNorth,4,5\r\n");
    Expect(
        "layout 3",
        [](const std::string& text) {
            std::vector<DataSeries> columns;
            ScriptedUserInterface person;
            ImportReport report;
            ReadParsedColumns("MM/DD/[YY]YY\tVALUE", text, {true}, columns, person, report);
            return Describe(columns, report);
        },
        "1/5/99, 2.5\r\n1/6/99, 3.5\r\n");
    Expect(
        "clipboard",
        [this](const std::string& text) {
            ScriptedUserInterface person;
            person.clipboard = text;
            CZAVDoc fresh(person, test::EnvironmentIn(dir));
            SpreadsheetOptions options;
            options.separator = '\t';
            ImportReport report;
            fresh.AddClipboardData(options, &report);
            return Describe(fresh.FieldManager().Sources().at(0).series, report);
        },
        "Pond\r\n\r\n1\t2.5\t10:00:00\t1/5/99\r\n");
    Expect(
        "conversions",
        [](const std::string& text) {
            ConversionTable table;
            table.ReadText(text);
            std::string names;
            for (int i = 0; i < table.Count(); ++i) {
                names += table.Name(i) + ";";
            }
            return names;
        },
        "1.8 32 C to F\r\n0.001 0 mg to g\r\n");
    Expect(
        "project",
        [this](const std::string& text) {
            test::WriteFile(dir.File("marked.zav"), text);
            ScriptedUserInterface person;
            CZAVDoc opened(person, test::EnvironmentIn(dir));
            if (!opened.OnOpenDocument(dir.File("marked.zav"))) {
                return std::string("(refused)");
            }
            return opened.ParseString() + "|" + opened.ProjectText();
        },
        [this] {
            ZAVFieldManager& store = doc.FieldManager();
            DataSeries series;
            series.SetStationName("Pond");
            series.SetParameterName("DO");
            series.InsertPoint(KTRTime(1999, 1, 5, 0, 0, 0), 2.5, 0);
            DataSource source;
            source.series.push_back(series);
            store.AddSource(std::move(source));
            return doc.ProjectText();
        }());
}

}  // namespace
}  // namespace zav
