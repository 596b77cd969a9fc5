// Numbers that were saved corrupted (tiny and huge exponents after long
// numbers): projects and the conversions file read, written and read again
// give the same values, bit for bit.
#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "core/UserInterface.h"
#include "io/CZAVDoc.h"
#include "io/ConversionTable.h"

namespace zav {
namespace {

using test::DataPath;

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(SavedNumbers, ScalingExponentsSurviveSavingAProject) {
    test::TempDir dir;
    ScriptedUserInterface ui;
    CZAVDoc doc(ui, test::EnvironmentIn(dir));
    ASSERT_TRUE(doc.OnOpenDocument(DataPath("regressions/project-scaling-exponent.zav")));
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("saved.zav")));
    const std::string saved = test::ReadFile(dir.File("saved.zav"));
    EXPECT_NE(saved.find("multiplier =0.1234567\r\noffset =1e+20\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("units multiplier =1.2345678e-20\r\nunits offset =2.5e-12\r\n"),
              std::string::npos)
        << saved;

    CZAVDoc back(ui, test::EnvironmentIn(dir));
    ASSERT_TRUE(back.OnOpenDocument(dir.File("saved.zav")));
    const DataSeries& series = back.FieldManager().GetSeries(0);
    EXPECT_TRUE(SameBits(series.Multiplier(), 0.1234567));
    EXPECT_TRUE(SameBits(series.Offset(), 1e20));
    UnitsRecord units;
    ASSERT_TRUE(back.FieldManager().GetUnits("u", units));
    EXPECT_TRUE(SameBits(units.multiplier, 1.2345678e-20));
    EXPECT_TRUE(SameBits(units.offset, 2.5e-12));
    EXPECT_EQ(back.ProjectText(), doc.ProjectText());
}

// Reads a conversions file, writes it, reads what was written: every entry
// comes back with the same numbers.
void ExpectConversionsRoundTripAt(const std::string& path) {
    const std::string& name = path;
    test::TempDir dir;
    ScriptedUserInterface ui;
    ConversionTable table;
    ASSERT_TRUE(table.ReadConversions(path, ui));
    ASSERT_GT(table.Count(), 0) << name;
    ASSERT_TRUE(table.WriteConversions(dir.File("written.txt"), ui));
    ConversionTable back;
    ASSERT_TRUE(back.ReadConversions(dir.File("written.txt"), ui));
    ASSERT_EQ(back.Count(), table.Count()) << test::ReadFile(dir.File("written.txt"));
    for (int i = 0; i < table.Count(); ++i) {
        EXPECT_TRUE(SameBits(back.Multiplier(i), table.Multiplier(i))) << name << " entry " << i;
        EXPECT_TRUE(SameBits(back.Offset(i), table.Offset(i))) << name << " entry " << i;
    }
}

TEST(SavedNumbers, TinyConversionFactorsSurviveWritingTheTable) {
    ExpectConversionsRoundTripAt(DataPath("regressions/conversions-pico.txt"));

    // The damaged file itself is refused whole (see ConversionTableTest); the
    // numbers that once came out of the writer as 1e-320 must not.
    test::TempDir dir;
    const std::string path = dir.File("offsets.txt");
    test::WriteFile(path, "-0 1e-32 tiny\r\n1e-32 -0 tiny back\r\n");
    ExpectConversionsRoundTripAt(path);

    ScriptedUserInterface ui;
    ConversionTable pico;
    ASSERT_TRUE(pico.ReadConversions(DataPath("regressions/conversions-pico.txt"), ui));
    EXPECT_EQ(pico.ToText(),
              "1 0 no conversion\r\n"
              "0.5555555555555556 -17.77777777777778 F to C (exact)\r\n"
              "1e-12 0 pg/l to g/l\r\n");
}

}  // namespace
}  // namespace zav
