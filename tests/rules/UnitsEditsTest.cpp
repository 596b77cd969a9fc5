// The rules of the units page: what an edited cell of either table changes
// and shows, which edits are refused, and applying a conversion.
#include <gtest/gtest.h>

#include "app/rules/UnitsEdits.h"
#include "io/ConversionTable.h"
#include "store/IndexRecords.h"

namespace zav {
namespace {

TEST(UnitsEditsTest, NumberCellsShowWhatWasReadAndRefuseWhatCannotBeStored) {
    double value = -1;
    CellEdit edit = ReadNumberCell(" 1.50e2", value);
    EXPECT_TRUE(edit.accepted);
    EXPECT_EQ(value, 150.0);
    EXPECT_EQ(edit.shown, "150");
    edit = ReadNumberCell("1e999", value);
    EXPECT_FALSE(edit.accepted);
    EXPECT_EQ(edit.message, "Please enter a number.");
}

TEST(UnitsEditsTest, AUnitsRowChangesOnlyTheFieldOfItsColumn) {
    UnitsRecord record = UnitsRecord::Identity("deg F");
    EXPECT_EQ(EditUnitsField(record, kUnitsMultiplier, "0.5555556").shown, "0.555556");
    EXPECT_EQ(record.multiplier, 0.5555556);
    EXPECT_TRUE(EditUnitsField(record, kUnitsOffset, "-17.7777778").accepted);
    EXPECT_EQ(record.offset, -17.7777778);
    EXPECT_EQ(EditUnitsField(record, kUnitsAlias, "deg C").shown, "deg C");
    EXPECT_TRUE(EditUnitsField(record, kUnitsComment, "F to C").accepted);
    EXPECT_EQ(record.alias, "deg C");
    EXPECT_EQ(record.comment, "F to C");

    // The name is the key of the record and is not edited here; a refused
    // number leaves the old one.
    EXPECT_FALSE(EditUnitsField(record, kUnitsName, "K").accepted);
    EXPECT_FALSE(EditUnitsField(record, kUnitsOffset, "-1e400").accepted);
    EXPECT_EQ(record.name, "deg F");
    EXPECT_EQ(record.offset, -17.7777778);
}

TEST(UnitsEditsTest, AConversionRowChangesItsEntryAndNoOther) {
    ConversionTable table;
    table.Append("F to C", 0.5555556, -17.7777778);
    table.Append("cfs to m3/s", 0.0283168, 0);
    EXPECT_TRUE(EditConversionField(table, 1, kConversionName, "ft3/s to m3/s").accepted);
    EXPECT_EQ(EditConversionField(table, 1, kConversionMultiplier, "0.0283168466").shown,
              "0.0283168");
    EXPECT_TRUE(EditConversionField(table, 1, kConversionOffset, "1").accepted);
    EXPECT_EQ(table.Name(1), "ft3/s to m3/s");
    EXPECT_EQ(table.Multiplier(1), 0.0283168466);
    EXPECT_EQ(table.Offset(1), 1.0);
    EXPECT_EQ(table.Name(0), "F to C");
    EXPECT_EQ(table.Offset(0), -17.7777778);

    EXPECT_FALSE(EditConversionField(table, 2, kConversionName, "past the end").accepted);
    EXPECT_FALSE(EditConversionField(table, -1, kConversionName, "before").accepted);
    EXPECT_FALSE(EditConversionField(table, 0, 7, "no column").accepted);
    EXPECT_EQ(table.Count(), 2);
}

TEST(UnitsEditsTest, ApplyingAConversionTakesItsNumbersAndName) {
    EXPECT_EQ(ApplyButtonText(false, "F to C", "deg F"), "Apply");
    EXPECT_EQ(ApplyButtonText(true, "F to C", "deg F"), "Apply F to C conversion to deg F");

    UnitsRecord record = UnitsRecord::Identity("deg F");
    ApplyConversion(record, "F to C", "0.5555556", "-17.7777778");
    EXPECT_EQ(record.multiplier, 0.5555556);
    EXPECT_EQ(record.offset, -17.7777778);
    EXPECT_EQ(record.alias, "F to C");
    EXPECT_EQ(record.comment, "deg F -> F to C");
    EXPECT_EQ(record.name, "deg F");
}

}  // namespace
}  // namespace zav
