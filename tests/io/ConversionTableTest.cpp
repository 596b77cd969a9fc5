// The standard conversions file.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "TestSupport.h"
#include "io/ConversionTable.h"

namespace zav {
namespace {

TEST(ConversionTableFile, ReadsNamesWithBlanksAndALastLineWithoutEnd) {
    ConversionTable table;
    table.ReadText("0.555556 -17.7778 F to C\r\n  1e-06   0    mg per L  \n2 3 last");
    ASSERT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Name(0), "F to C");
    EXPECT_EQ(table.Multiplier(0), 0.555556);
    EXPECT_EQ(table.Offset(0), -17.7778);
    EXPECT_EQ(table.Name(1), "mg per L  ");
    EXPECT_EQ(table.Name(2), "last");
}

TEST(ConversionTableFile, StopsAtALineWithoutNumbersAndCutsLongNames) {
    ConversionTable table;
    table.ReadText("1 0 ok\nnot a number\n2 0 never\n");
    EXPECT_EQ(table.Count(), 1);
    ConversionTable longNames;
    longNames.ReadText("1 0 " + std::string(250, 'n') + "\n2 0 after\n");
    ASSERT_EQ(longNames.Count(), 1);
    EXPECT_EQ(longNames.Name(0).size(), 199u);
}

TEST(ConversionTableFile, WritesExactNumbersAndReadsThemBack) {
    ConversionTable table;
    table.Append("lb to kg", 0.45359237, 0.0);
    table.Append(" leading blanks", 1.8, 32);
    EXPECT_EQ(table.ToText(), "0.45359237 0 lb to kg\r\n1.8 32  leading blanks\r\n");
    ConversionTable back;
    back.ReadText(table.ToText());
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Multiplier(0), 0.45359237);
    EXPECT_EQ(back.Name(1), "leading blanks");
}

TEST(ConversionTableFile, EditingEntries) {
    ConversionTable table;
    table.AddConversion();
    table.Append("x", 2, 0);
    EXPECT_EQ(table.Name(0), "<new entry>");
    EXPECT_EQ(table.Multiplier(0), 1.0);
    EXPECT_FALSE(table.RemoveConversion(2));
    EXPECT_TRUE(table.RemoveConversion(0));
    ASSERT_EQ(table.Count(), 1);
    EXPECT_EQ(table.Name(0), "x");
}

TEST(ConversionTableFile, MissingFileIsReportedAndWritingCreatesIt) {
    test::TempDir dir;
    ScriptedUserInterface ui;
    ConversionTable table;
    EXPECT_FALSE(table.ReadConversions(dir.File("unitConversions.txt"), ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0],
              "Unable to open " + dir.File("unitConversions.txt") + " for reading.");
    table.Append("a", 1, 0);
    EXPECT_TRUE(table.WriteConversions(dir.File("unitConversions.txt"), ui));
    EXPECT_EQ(test::ReadFile(dir.File("unitConversions.txt")), "1 0 a\r\n");
    EXPECT_FALSE(table.WriteConversions(dir.Path(), ui));
    EXPECT_EQ(ui.messages.back(), "Unable to open " + dir.Path() + " for writing.");
}

}  // namespace
}  // namespace zav
