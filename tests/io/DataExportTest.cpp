// Data export: which points a selection takes, scaled values and their
// units, and the tidy CSV text.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "io/DataExport.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

using test::MakeSeries;

struct ExportStore {
    ScriptedUserInterface ui;
    ZAVFieldManager store{ui};

    ExportStore() {
        DataSeries temp = MakeSeries("Creek", "Temp", "deg F");
        temp.SetMultiplier(2);
        temp.SetOffset(1);
        for (int day = 1; day <= 3; ++day) {
            temp.InsertPoint(KTRTime(2025, 6, day, 23, 59, 59), 15.5 + day, day == 2 ? 1 : 0);
        }
        DataSeries level = MakeSeries("Pond, north", "Level", "m");
        level.InsertPoint(KTRTime(2025, 6, 2, 0, 0, 0), 0.1, 0);
        store.AddSource(test::MakeSource("in.csv", {temp, level}));
        UnitsRecord fahrenheit = UnitsRecord::Identity("deg F");
        fahrenheit.alias = "deg C";
        fahrenheit.multiplier = 0.5;
        fahrenheit.offset = -10;
        store.SetUnits("deg F", fahrenheit);
    }

    std::string Csv(const DataExportOptions& options) {
        std::string error;
        const std::vector<ExportSeries> selection = SelectExportSeries(store, options, error);
        EXPECT_EQ(error, "");
        return TidyCsvText(selection);
    }
};

TEST(DataExport, StoredOrScaledValuesWithTheirUnits) {
    ExportStore s;
    DataExportOptions options;
    options.parameters = {"Temp"};
    EXPECT_EQ(s.Csv(options),
              "station,parameter,units,time,value,mask\n"
              "Creek,Temp,deg F,2025-06-01T23:59:59,16.5,0\n"
              "Creek,Temp,deg F,2025-06-02T23:59:59,17.5,1\n"
              "Creek,Temp,deg F,2025-06-03T23:59:59,18.5,0\n");
    // ((v x 2) + 1) x 0.5 - 10, in the record's alias.
    options.scaled = true;
    EXPECT_EQ(s.Csv(options),
              "station,parameter,units,time,value,mask\n"
              "Creek,Temp,deg C,2025-06-01T23:59:59,7,0\n"
              "Creek,Temp,deg C,2025-06-02T23:59:59,8,1\n"
              "Creek,Temp,deg C,2025-06-03T23:59:59,9,0\n");
}

TEST(DataExport, DaySpanIncludesTheWholeEndDayAndNamesAreQuotedWhereNeeded) {
    ExportStore s;
    DataExportOptions options;
    options.start = KTRTime(2025, 6, 2, 0, 0, 0);
    options.end = KTRTime(2025, 6, 2, 23, 59, 59);
    EXPECT_EQ(s.Csv(options),
              "station,parameter,units,time,value,mask\n"
              "Creek,Temp,deg F,2025-06-02T23:59:59,17.5,1\n"
              "\"Pond, north\",Level,m,2025-06-02T00:00:00,0.1,0\n");
    options.start = KTRTime(2030, 1, 1, 0, 0, 0);
    options.end = KTRTime();
    std::string error;
    EXPECT_EQ(CountExport(SelectExportSeries(s.store, options, error)).points, 0u);
}

TEST(DataExport, UnknownNamesAreAnError) {
    ExportStore s;
    DataExportOptions options;
    options.stations = {"Creek", "Lake"};
    options.parameters = {"pH"};
    std::string error;
    EXPECT_TRUE(SelectExportSeries(s.store, options, error).empty());
    EXPECT_EQ(error, "no such station Lake, parameter pH");
}

}  // namespace
}  // namespace zav
